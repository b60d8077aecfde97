#pragma once
// Saves the GL state a pass changes and puts it back when the scope ends:
// the server attribute groups named (glPushAttrib), the client ones
// (glPushClientAttrib) and, when asked, both matrices, with the modelview
// matrix current again at the end. Every pass that changes state it does not
// mean to leave holds one, so that what a pass leaves is what its header
// says and nothing else.
#include <GL/gl.h>

class GlStateScope {
public:
    enum Matrices { keepMatrices, saveMatrices };

    explicit GlStateScope(GLbitfield attributes, GLbitfield clientAttributes = 0,
                          Matrices matrices = keepMatrices);
    ~GlStateScope();
    GlStateScope(const GlStateScope&) = delete;
    GlStateScope& operator=(const GlStateScope&) = delete;

private:
    GLbitfield attributes;
    GLbitfield clientAttributes;
    Matrices matrices;
};
