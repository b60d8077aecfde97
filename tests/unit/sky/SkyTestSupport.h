#pragma once
// Helpers shared by the sky tests: pictures for ./textures/, a guard that
// gives the shared GL context back as it was, and pixel reads.
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "image/Bmp.h"

namespace skytest {

// Writes textures/fileName, an 8 x 8 picture of one colour.
inline void writeSolidPicture(const std::string& fileName, unsigned char r, unsigned char g,
                              unsigned char b) {
    std::vector<unsigned char> data;
    for (int i = 0; i < 8 * 8; ++i) data.insert(data.end(), {r, g, b});
    Image image{8, 8, data.data()};
    ASSERT_TRUE(writeBmp(("textures/" + fileName).c_str(), image));
}

inline void writeSkyPictures() {
    writeSolidPicture("Sky.bmp", 255, 255, 255);
    writeSolidPicture("Moon.bmp", 255, 255, 255);
    writeSolidPicture("MoonAlpha.bmp", 255, 255, 255);
}

// Saves every GL attribute and both matrices for its lifetime, and starts
// from a clean error flag.
class GlStateGuard {
public:
    GlStateGuard() {
        while (glGetError() != GL_NO_ERROR) {
        }
        glPushAttrib(GL_ALL_ATTRIB_BITS);
        glMatrixMode(GL_PROJECTION);
        glPushMatrix();
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
    }
    ~GlStateGuard() {
        glMatrixMode(GL_PROJECTION);
        glPopMatrix();
        glMatrixMode(GL_MODELVIEW);
        glPopMatrix();
        glPopAttrib();
    }
    GlStateGuard(const GlStateGuard&) = delete;
    GlStateGuard& operator=(const GlStateGuard&) = delete;
};

// The game's view: 45 degrees, 4:3, the whole window, looking along -z from
// the origin, black background, unlit as the sky pass draws.
inline void setGameView() {
    glViewport(0, 0, 1024, 768);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, 4.0 / 3.0, 1.0, 1000.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glDisable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glShadeModel(GL_SMOOTH);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

struct Rgb {
    int r, g, b;
};

inline Rgb readPixel(int x, int y) {
    unsigned char p[4] = {};
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
    return {p[0], p[1], p[2]};
}

// The whole 1024 x 768 window, RGBA, rows bottom-up.
inline std::vector<unsigned char> readWindow() {
    std::vector<unsigned char> pixels(1024 * 768 * 4);
    glReadPixels(0, 0, 1024, 768, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

}  // namespace skytest
