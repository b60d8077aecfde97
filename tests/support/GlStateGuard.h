#pragma once
// Saves every GL attribute and both matrices for its lifetime, so a test can
// set up the shared window's context as it likes and give it back as it was.
#include <GL/gl.h>
#include <gtest/gtest.h>

class GlStateGuard {
public:
    // Also starts from a clean error flag, so a test sees only its own errors.
    GlStateGuard() {
        while (glGetError() != GL_NO_ERROR) {
        }
        glPushAttrib(GL_ALL_ATTRIB_BITS);
        for (GLenum stack : {GL_PROJECTION, GL_MODELVIEW}) glMatrixMode(stack), glPushMatrix();
    }
    ~GlStateGuard() {
        for (GLenum stack : {GL_PROJECTION, GL_MODELVIEW}) glMatrixMode(stack), glPopMatrix();
        glPopAttrib();
    }
    GlStateGuard(const GlStateGuard&) = delete;
    GlStateGuard& operator=(const GlStateGuard&) = delete;
};

// A GL test's fixture: the state given back as it was, and no GL error left.
class GlTest : public testing::Test {
protected:
    void TearDown() override { EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR)); }
    GlStateGuard guard;
};

// The whole window shows glOrtho's box; the modelview is the identity and current.
inline void useOrthoView(double left, double right, double bottom, double top, double zNear, double zFar) {
    glViewport(0, 0, 1024, 768);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(left, right, bottom, top, zNear, zFar);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

// One integer of GL's state: glInteger(GL_MATRIX_MODE), say.
inline GLint glInteger(GLenum name) {
    GLint value = -1;
    glGetIntegerv(name, &value);
    return value;
}
