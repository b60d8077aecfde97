#include "terrain/VisibleQuads.h"

#include <algorithm>

#include "view/ViewVolume.h"

void VisibleQuads::prepare(const std::vector<float>& heights, uint32_t width, uint32_t depth) {
    quadsPerRow = width > 1 && depth > 1 ? width - 1 : 0;
    rows = quadsPerRow > 0 ? depth - 1 : 0;
    piecesPerRow = (quadsPerRow + quadsPerPiece - 1) / quadsPerPiece;
    pieceLow.assign(size_t{rows} * piecesPerRow, 0.0f);
    pieceHigh.assign(size_t{rows} * piecesPerRow, 0.0f);
    for (uint32_t z = 0; z < rows; ++z)
        for (uint32_t piece = 0; piece < piecesPerRow; ++piece) {
            const uint32_t firstX = piece * quadsPerPiece;
            const uint32_t lastX = std::min(firstX + quadsPerPiece, quadsPerRow);  // last corner column
            float low = heights[firstX + size_t{z} * width], high = low;
            for (uint32_t cornerZ = z; cornerZ <= z + 1; ++cornerZ)
                for (uint32_t x = firstX; x <= lastX; ++x) {
                    const float h = heights[x + size_t{cornerZ} * width];
                    low = std::min(low, h);
                    high = std::max(high, h);
                }
            pieceLow[size_t{z} * piecesPerRow + piece] = low;
            pieceHigh[size_t{z} * piecesPerRow + piece] = high;
        }
    firsts.clear();
    counts.clear();
    firsts.reserve(rows);
    counts.reserve(rows);
}

void VisibleQuads::select(const ViewVolume& view) {
    firsts.clear();
    counts.clear();
    for (uint32_t z = 0; z < rows; ++z) {
        const size_t rowStart = size_t{z} * piecesPerRow;
        auto seen = [&](uint32_t piece) {
            const float x = static_cast<float>(piece * quadsPerPiece);
            const float endX = static_cast<float>(std::min((piece + 1) * quadsPerPiece, quadsPerRow));
            const float rowZ = static_cast<float>(z);
            return !view.excludesBox({x, pieceLow[rowStart + piece], rowZ},
                                     {endX, pieceHigh[rowStart + piece], rowZ + 1});
        };
        uint32_t first = 0;
        while (first < piecesPerRow && !seen(first)) ++first;
        if (first == piecesPerRow) continue;
        uint32_t end = piecesPerRow;
        while (!seen(end - 1)) --end;

        const int firstQuad = static_cast<int>(z * quadsPerRow + first * quadsPerPiece);
        const int quadCount = static_cast<int>(std::min(end * quadsPerPiece, quadsPerRow) - first * quadsPerPiece);
        const int firstVertex = firstQuad * verticesPerQuad;
        if (!firsts.empty() && firsts.back() + counts.back() == firstVertex) {
            counts.back() += quadCount * verticesPerQuad;
        } else {
            firsts.push_back(firstVertex);
            counts.push_back(quadCount * verticesPerQuad);
        }
    }
}
