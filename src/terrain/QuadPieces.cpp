#include "terrain/QuadPieces.h"

#include <algorithm>
#include <cmath>

#include "base/LargeBlocks.h"

void QuadPieces::prepare(const std::vector<float>& heights, uint32_t width, uint32_t depth) {
    quadsPerRow_ = width > 1 && depth > 1 ? width - 1 : 0;
    rows_ = quadsPerRow_ > 0 ? depth - 1 : 0;
    piecesPerRow_ = (quadsPerRow_ + quadsPerPiece - 1) / quadsPerPiece;
    const size_t count = size_t{rows_} * piecesPerRow_;
    if (pieceLow.size() != count) {  // every value is written below
        pieceLow = {};
        pieceHigh = {};
        reserveLarge(pieceLow, count);
        reserveLarge(pieceHigh, count);
        pieceLow.resize(count);
        pieceHigh.resize(count);
    }
    for (uint32_t z = 0; z < rows_; ++z)
        for (uint32_t piece = 0; piece < piecesPerRow_; ++piece) {
            const uint32_t firstX = piece * quadsPerPiece;
            const uint32_t lastX = std::min(firstX + quadsPerPiece, quadsPerRow_);  // last corner column
            float low = heights[firstX + size_t{z} * width], high = low;
            for (uint32_t cornerZ = z; cornerZ <= z + 1; ++cornerZ)
                for (uint32_t x = firstX; x <= lastX; ++x) {
                    const float h = heights[x + size_t{cornerZ} * width];
                    low = std::min(low, h);
                    high = std::max(high, h);
                }
            pieceLow[size_t{z} * piecesPerRow_ + piece] = low;
            pieceHigh[size_t{z} * piecesPerRow_ + piece] = high;
        }
    // A height that is not a number leaves the range unknown (NaN).
    lowest_ = INFINITY, highest_ = -INFINITY;
    for (size_t i = 0; i < count; ++i) {
        if (std::isnan(pieceLow[i]) || std::isnan(pieceHigh[i])) {
            lowest_ = highest_ = NAN;
            break;
        }
        lowest_ = std::min(lowest_, pieceLow[i]);
        highest_ = std::max(highest_, pieceHigh[i]);
    }
}

QuadPieces::Box QuadPieces::box(uint32_t row, uint32_t piece) const {
    const float x = static_cast<float>(piece * quadsPerPiece);
    const float endX = static_cast<float>(std::min((piece + 1) * quadsPerPiece, quadsPerRow_));
    const float z = static_cast<float>(row);
    return {{x, low(row, piece), z}, {endX, high(row, piece), z + 1}};
}
