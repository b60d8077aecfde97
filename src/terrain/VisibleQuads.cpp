#include "terrain/VisibleQuads.h"

#include <algorithm>
#include <cmath>

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
    rowFirst.assign(rows, 0);
    rowEnd.assign(rows, 0);
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
        rowFirst[z] = rowEnd[z] = 0;
        uint32_t first = 0;
        while (first < piecesPerRow && !seen(first)) ++first;
        if (first == piecesPerRow) continue;
        uint32_t end = piecesPerRow;
        while (!seen(end - 1)) --end;
        rowFirst[z] = first * quadsPerPiece;
        rowEnd[z] = std::min(end * quadsPerPiece, quadsPerRow);

        const int firstQuad = static_cast<int>(z * quadsPerRow + rowFirst[z]);
        const int quadCount = static_cast<int>(rowEnd[z] - rowFirst[z]);
        const int firstVertex = firstQuad * verticesPerQuad;
        if (!firsts.empty() && firsts.back() + counts.back() == firstVertex) {
            counts.back() += quadCount * verticesPerQuad;
        } else {
            firsts.push_back(firstVertex);
            counts.push_back(quadCount * verticesPerQuad);
        }
    }
}

bool VisibleQuads::reaches(const GroundCapsule& capsule, float margin) const {
    const double reach = static_cast<double>(capsule.radius) + margin;
    const double x0 = capsule.x0, z0 = capsule.z0, dx = capsule.x1 - x0, dz = capsule.z1 - z0;
    if (!std::isfinite(reach) || !std::isfinite(x0 + z0 + dx + dz)) return true;  // nothing to go by
    const double lowZ = std::min(z0, z0 + dz) - reach, highZ = std::max(z0, z0 + dz) + reach;
    // Rows whose band z .. z + 1 meets lowZ .. highZ.
    const double firstRow = std::max(std::ceil(lowZ) - 1, 0.0);
    const double lastRow = std::min(std::floor(highZ), static_cast<double>(rows) - 1);
    for (double row = firstRow; row <= lastRow; ++row) {
        const auto z = static_cast<uint32_t>(row);
        if (rowFirst[z] == rowEnd[z]) continue;
        // The part of the segment near enough to the band in z ...
        double t0 = 0, t1 = 1;
        if (dz != 0) {
            const double a = (row - reach - z0) / dz, b = (row + 1 + reach - z0) / dz;
            t0 = std::max(std::min(a, b), 0.0);
            t1 = std::min(std::max(a, b), 1.0);
            if (t0 > t1) continue;
        } else if (z0 < row - reach || z0 > row + 1 + reach) {
            continue;
        }
        // ... and the x it spans, widened by the reach.
        const double xa = x0 + t0 * dx, xb = x0 + t1 * dx;
        const double lowX = std::min(xa, xb) - reach, highX = std::max(xa, xb) + reach;
        if (lowX <= rowEnd[z] && highX >= rowFirst[z]) return true;
    }
    return false;
}
