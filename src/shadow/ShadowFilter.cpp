#include "shadow/ShadowFilter.h"

#include <cstddef>

namespace {

constexpr float inverse255 = 1.0f / 255.0f;
// Rows bottom to top, columns left to right; the weights sum to 1.
constexpr float kernel[3][3] = {
    {0.05f, 0.1f, 0.05f},
    {0.1f, 0.4f, 0.1f},
    {0.05f, 0.1f, 0.05f},
};

// Each tap's term for every byte value, weight * (byte / 255), worked out
// once with the same float operations the filter would use per pixel.
struct KernelTerms {
    float term[3][3][256];
};

const KernelTerms& kernelTerms() {
    static const KernelTerms terms = [] {
        KernelTerms t{};
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c)
                for (int byte = 0; byte < 256; ++byte) t.term[r][c][byte] = kernel[r][c] * (byte * inverse255);
        return t;
    }();
    return terms;
}

}  // namespace

void filterShadowBlocks(const unsigned char* pixels, size_t rowLength, const ShadowCells& cells, float* grid,
                        size_t gridColumns) {
    const KernelTerms& terms = kernelTerms();
    for (int i = cells.row0; i < cells.row1; ++i) {
        const unsigned char* blockRow = pixels + size_t(shadowPixelsPerStep * (i - cells.row0)) * rowLength;
        float* out = grid + size_t(i) * gridColumns;
        for (int j = cells.column0; j < cells.column1; ++j) {
            const unsigned char* block = blockRow + shadowPixelsPerStep * (j - cells.column0);
            float value = 0.0f;  // summed in the same order as ever, so to the same bits
            for (int r = 0; r < 3; ++r)
                for (int c = 0; c < 3; ++c) value += terms.term[r][c][block[r * rowLength + c]];
            out[j] = value;
        }
    }
}

void filterShadowCells(const unsigned char* pixels, int pixelWidth, const ShadowCells& cells, float* grid) {
    const size_t stride = size_t(pixelWidth);
    const unsigned char* first = pixels + size_t(shadowPixelsPerStep * cells.row0) * stride +
                                 size_t(shadowPixelsPerStep * cells.column0);
    filterShadowBlocks(first, stride, cells, grid, stride / shadowPixelsPerStep);
}

void filterShadowPixels(const unsigned char* pixels, int pixelWidth, int pixelHeight, float* grid) {
    filterShadowCells(pixels, pixelWidth,
                      {0, pixelHeight / shadowPixelsPerStep, 0, pixelWidth / shadowPixelsPerStep}, grid);
}

float litShadowValue() {
    static const float lit = [] {
        const unsigned char white[9] = {255, 255, 255, 255, 255, 255, 255, 255, 255};
        float value = 0;
        filterShadowCells(white, shadowPixelsPerStep, {0, 1, 0, 1}, &value);
        return value;
    }();
    return lit;
}
