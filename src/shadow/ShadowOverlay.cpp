#include "shadow/ShadowOverlay.h"

#include <GL/gl.h>

#include <cstddef>

#include "platform/GlStateScope.h"
#include "terrain/ShadowGrid.h"
#include "view/WindowCoordinates.h"

namespace {

constexpr float margin = 20.0f;        // pixels from the window's left and bottom edges
constexpr unsigned largestSide = 256;  // twice a 128-point map's overlay each way

// One picture pixel a value, or on a larger map every step-th value, so that
// the overlay keeps the map's shape within largestSide pixels each way.
unsigned stepFor(unsigned width, unsigned depth) {
    const unsigned side = width > depth ? width : depth;
    return side > largestSide ? (side + largestSide - 1) / largestSide : 1;
}

void square(float x, float y, float size) {
    glVertex2f(x, y);
    glVertex2f(x + size, y);
    glVertex2f(x + size, y + size);
    glVertex2f(x, y + size);
}

}  // namespace

void drawShadowOverlay(const ShadowGrid* shadows, unsigned width, unsigned depth) {
    const GlStateScope saved(GL_CURRENT_BIT);
    const WindowCoordinates flat;
    const unsigned step = stepFor(width, depth);
    const unsigned columns = (width + step - 1) / step, rows = (depth + step - 1) / step;
    glBegin(GL_QUADS);
    if (shadows) {
        // Each shown value is a square of one picture pixel, so the overlay
        // stays solid at any window size: row i goes to column i, value j of
        // it to row rows - j (world z upwards).
        const float* grid = shadows->data();
        for (unsigned c = 0; c < columns; ++c) {
            const float* row = grid + size_t(c) * step * depth;
            for (unsigned r = 0; r < rows; ++r) {
                const float v = row[size_t(r) * step];
                glColor3f(v, v, v);
                square(margin + static_cast<float>(c), margin + static_cast<float>(rows - r), 1);
            }
        }
    } else {
        glColor3f(1, 1, 1);
        glVertex2f(margin, margin);
        glVertex2f(margin + static_cast<float>(columns), margin);
        glVertex2f(margin + static_cast<float>(columns), margin + static_cast<float>(rows));
        glVertex2f(margin, margin + static_cast<float>(rows));
    }
    glEnd();
}
