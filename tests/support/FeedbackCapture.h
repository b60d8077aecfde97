#pragma once
// Captures what GL would rasterise while a callback draws, through feedback
// mode, and splits the captured floats into primitives.
#include <GL/gl.h>

#include <cstddef>
#include <functional>
#include <vector>

// The floats GL writes while draw runs in feedback mode with the given
// vertex type (GL_3D, GL_3D_COLOR, ...). A buffer that overflows fails the
// test and gives back nothing.
std::vector<GLfloat> captureFeedback(GLenum type, const std::function<void()>& draw,
                                     std::size_t capacity = 1 << 16);

// One captured primitive: its token (GL_POLYGON_TOKEN, GL_BITMAP_TOKEN, ...)
// and its vertices, each window x, y, z, then the colour and texture
// coordinates the vertex type holds.
struct FeedbackPrimitive {
    GLint token;
    std::vector<std::vector<GLfloat>> vertices;
};

// Walks floats captured with the given vertex type; a token it does not know
// fails the test and ends the walk.
std::vector<FeedbackPrimitive> feedbackPrimitives(GLenum type, const std::vector<GLfloat>& floats);
