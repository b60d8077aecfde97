// A texture's GL side: the first bind scales the picture to its texture size
// and uploads it. Loading a Texture (Texture.cpp) makes no GL call, so this
// file, the only one of the texture floor that calls GL and GLU, is linked
// only by programs that draw.
#include <GL/glu.h>

#include <cstdlib>

#include "base/FatalError.h"
#include "platform/GlStateScope.h"
#include "platform/PackedRows.h"
#include "texture/Texture.h"

namespace {

// Running out of memory names the picture that asked for it.
PixelBuffer allocatePixels(std::size_t bytes, const std::string& path) {
    PixelBuffer buffer(static_cast<unsigned char*>(std::malloc(bytes)));
    if (!buffer) throw FatalError("Out of memory while loading " + path);
    return buffer;
}

// The side a texture of the given power-of-two side is uploaded with: no
// more than the driver takes, so a picture wider than that is scaled down
// and shown instead of being refused by glTexImage2D.
int uploadedSide(int side) {
    GLint limit = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &limit);
    return limit > 0 && side > limit ? limit : side;
}

// The picture's RGB pixels at width x height: its own when it already has
// that size, else a copy scaled into scaled. Scaled once, at the upload, so
// drawing never deals with odd sizes.
const unsigned char* pixelsAt(const Image& picture, int width, int height, const std::string& path,
                              PixelBuffer& scaled) {
    if (static_cast<int>(picture.width) == width && static_cast<int>(picture.height) == height)
        return picture.data.get();
    scaled = allocatePixels(static_cast<std::size_t>(width) * height * 3, path);
    if (gluScaleImage(GL_RGB, static_cast<GLint>(picture.width), static_cast<GLint>(picture.height), GL_UNSIGNED_BYTE,
                      picture.data.get(), width, height, GL_UNSIGNED_BYTE, scaled.get()) != 0)
        throw FatalError("Error loading texture " + path);
    return scaled.get();
}

void deleteTexture(unsigned name) {
    const GLuint texture = name;
    glDeleteTextures(1, &texture);
}

}  // namespace

// The pictures as read are let go only once the upload is done, so a
// failure (out of memory) leaves the picture as it was.
void Texture::Picture::upload() {
    const PackedRows packed;
    const int uploadWidth = uploadedSide(width), uploadHeight = uploadedSide(height);
    PixelBuffer scaled, merged;
    const unsigned char* colour = pixelsAt(image, uploadWidth, uploadHeight, path, scaled);
    if (alphaImage.data) {
        PixelBuffer scaledAlpha;
        const unsigned char* alpha = pixelsAt(alphaImage, uploadWidth, uploadHeight, path, scaledAlpha);
        const std::size_t count = static_cast<std::size_t>(uploadWidth) * uploadHeight;
        merged = allocatePixels(count * 4, path);
        for (std::size_t i = 0; i < count; ++i) {
            merged[i * 4] = colour[i * 3];
            merged[i * 4 + 1] = colour[i * 3 + 1];
            merged[i * 4 + 2] = colour[i * 3 + 2];
            merged[i * 4 + 3] = alpha[i * 3];  // the mask's red component
        }
    }

    GLuint name = 0;
    glGenTextures(1, &name);
    glName = UploadedName(name, deleteTexture);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
    // No mipmaps.
    glTexImage2D(GL_TEXTURE_2D, 0, internalFormat, uploadWidth, uploadHeight, 0, format, GL_UNSIGNED_BYTE,
                 merged ? merged.get() : colour);
    width = uploadWidth;
    height = uploadHeight;
    pixels = merged ? std::move(merged) : scaled ? std::move(scaled) : std::move(image.data);
    image = {};
    alphaImage = {};
}

void Texture::bind() const {
    if (!picture) throw FatalError("Tried to bind a NULL texture");
    if (!picture->glName) picture->upload();
    glBindTexture(GL_TEXTURE_2D, picture->glName.get());
}
