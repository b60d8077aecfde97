#include "support/FeedbackCapture.h"

#include <gtest/gtest.h>

namespace {
// Floats a vertex takes in feedback of the given type, colours being RGBA.
int vertexFloats(GLenum type) {
    switch (type) {
        case GL_3D: return 3;
        case GL_3D_COLOR: return 3 + 4;
        case GL_3D_COLOR_TEXTURE: return 3 + 4 + 4;
    }
    ADD_FAILURE() << "unknown feedback type " << type;
    return 0;
}
}  // namespace

std::vector<GLfloat> captureFeedback(GLenum type, const std::function<void()>& draw, std::size_t capacity) {
    std::vector<GLfloat> buffer(capacity);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), type, buffer.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    const GLint used = glRenderMode(GL_RENDER);
    if (used < 0) ADD_FAILURE() << "the feedback buffer of " << capacity << " floats overflowed";
    buffer.resize(used > 0 ? used : 0);
    return buffer;
}

std::vector<FeedbackPrimitive> feedbackPrimitives(GLenum type, const std::vector<GLfloat>& floats) {
    const std::size_t stride = vertexFloats(type);
    std::vector<FeedbackPrimitive> primitives;
    // GL writes whole primitives only, so each one's floats are all there.
    for (std::size_t i = 0; i < floats.size();) {
        FeedbackPrimitive primitive{static_cast<GLint>(floats[i++]), {}};
        std::size_t count = 1;  // a point, a bitmap or a pixel rectangle
        switch (primitive.token) {
            case GL_POLYGON_TOKEN: count = static_cast<std::size_t>(floats[i++]); break;
            case GL_LINE_TOKEN:
            case GL_LINE_RESET_TOKEN: count = 2; break;
            case GL_POINT_TOKEN:
            case GL_BITMAP_TOKEN:
            case GL_DRAW_PIXEL_TOKEN:
            case GL_COPY_PIXEL_TOKEN: break;
            default:
                ADD_FAILURE() << "unexpected feedback token " << primitive.token;
                return primitives;
        }
        for (std::size_t v = 0; v < count; ++v, i += stride)
            primitive.vertices.emplace_back(floats.begin() + i, floats.begin() + i + stride);
        primitives.push_back(std::move(primitive));
    }
    return primitives;
}
