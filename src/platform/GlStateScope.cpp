#include "platform/GlStateScope.h"

GlStateScope::GlStateScope(GLbitfield attributes, GLbitfield clientAttributes, Matrices matrices)
    : attributes(attributes), clientAttributes(clientAttributes), matrices(matrices) {
    if (attributes) glPushAttrib(attributes);
    if (clientAttributes) glPushClientAttrib(clientAttributes);
    if (matrices == saveMatrices) {
        glMatrixMode(GL_PROJECTION);
        glPushMatrix();
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
    }
}

GlStateScope::~GlStateScope() {
    if (matrices == saveMatrices) {
        glMatrixMode(GL_PROJECTION);
        glPopMatrix();
        glMatrixMode(GL_MODELVIEW);
        glPopMatrix();
    }
    if (clientAttributes) glPopClientAttrib();
    if (attributes) glPopAttrib();
}
