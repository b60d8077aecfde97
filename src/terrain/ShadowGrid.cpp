#include "terrain/ShadowGrid.h"

void ShadowGrid::resize(uint32_t width, uint32_t depth) {
    if (width == width_ && depth == depth_ && !values.empty()) return;
    values.assign(size_t{width} * depth, 1.0f);
    width_ = width;
    depth_ = depth;
}

void ShadowGrid::release() {
    values = {};
    width_ = depth_ = 0;
}
