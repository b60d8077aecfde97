#include "support/WindowReadBack.h"

#include <cstddef>

#include "platform/GameWindow.h"

std::vector<unsigned char> readWindow(GLenum format) {
    const size_t channels = format == GL_RGBA ? 4 : format == GL_RGB ? 3 : 1;
    std::vector<unsigned char> pixels(size_t{windowWidth} * windowHeight * channels);
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glPixelStorei(GL_PACK_ROW_LENGTH, 0);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, windowWidth, windowHeight, format, GL_UNSIGNED_BYTE, pixels.data());
    glPopClientAttrib();
    return pixels;
}

Rgb readPixel(int x, int y) {
    unsigned char pixel[3] = {};  // one row: the pack alignment does not matter
    glReadBuffer(GL_BACK);
    glReadPixels(x, y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, pixel);
    return {pixel[0], pixel[1], pixel[2]};
}
