#include "shadow/ShadowOverlay.h"

#include <GL/gl.h>

#include <cstddef>

#include "platform/GlStateScope.h"
#include "terrain/ShadowGrid.h"
#include "view/WindowCoordinates.h"

namespace {
constexpr float margin = 20.0f;  // pixels from the window's left and bottom edges
}

void drawShadowOverlay(const ShadowGrid* shadows, unsigned width, unsigned depth) {
    const GlStateScope saved(GL_CURRENT_BIT | GL_POINT_BIT);
    const WindowCoordinates flat;
    if (shadows) {
        const float* grid = shadows->data();
        glPointSize(1);
        glDisable(GL_POINT_SMOOTH);
        glBegin(GL_POINTS);
        // Points go to pixel centres (the + 0.5), so each value lands on
        // exactly one pixel whatever the rounding of the projection.
        for (unsigned i = 0; i < width; ++i) {
            const float* row = grid + size_t(i) * depth;
            const float x = margin + static_cast<float>(i) + 0.5f;
            for (unsigned j = 0; j < depth; ++j) {
                const float v = row[j];
                glColor3f(v, v, v);
                glVertex2f(x, margin + static_cast<float>(depth - j) + 0.5f);
            }
        }
        glEnd();
    } else {
        glColor3f(1, 1, 1);
        glBegin(GL_QUADS);
        glVertex2f(margin, margin);
        glVertex2f(margin + static_cast<float>(width), margin);
        glVertex2f(margin + static_cast<float>(width), margin + static_cast<float>(depth));
        glVertex2f(margin, margin + static_cast<float>(depth));
        glEnd();
    }
}
