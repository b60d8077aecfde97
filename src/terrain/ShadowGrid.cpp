#include "terrain/ShadowGrid.h"

#include <algorithm>

void ShadowGrid::resize(uint32_t width, uint32_t depth) {
    if (width == width_ && depth == depth_ && values) return;
    allocate(width, depth);
    std::fill(values.get(), values.get() + size_t{width} * depth, 1.0f);
}

void ShadowGrid::resizeUnwritten(uint32_t width, uint32_t depth) {
    if (width == width_ && depth == depth_ && values) return;
    allocate(width, depth);
}

// Without value-initialisation: a large block comes straight from the system,
// and its pages become resident only as they are written.
void ShadowGrid::allocate(uint32_t width, uint32_t depth) {
    values.reset();
    values.reset(new float[size_t{width} * depth]);
    width_ = width;
    depth_ = depth;
}

void ShadowGrid::release() {
    values.reset();
    width_ = depth_ = 0;
}
