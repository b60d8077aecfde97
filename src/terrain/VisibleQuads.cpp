#include "terrain/VisibleQuads.h"

#include <algorithm>
#include <cmath>

#include "view/ViewVolume.h"

// Sizes the buffers for the grid (only when it changed) and empties the runs.
void VisibleQuads::startSelection(const QuadPieces& pieces) {
    hiddenLeftOut = false;
    if (pieces.quadsPerRow() != quadsPerRow || pieces.rows() != rows || rowRun.size() != rows) {
        quadsPerRow = pieces.quadsPerRow();
        rows = pieces.rows();
        runs_.reserve(size_t{rows} * runsPerRow);
        rowRun.resize(rows);
        firstPiece.assign(rows, 0);
        endPiece.assign(rows, 0);
    }
    runs_.clear();
    std::fill(rowRun.begin(), rowRun.end(), noRun);
}

void VisibleQuads::addRun(uint32_t z, uint32_t first, uint32_t end) {
    const bool firstOfRow = rowRun[z] == noRun;
    const uint32_t firstQuad = z * quadsPerRow + first;
    if (!runs_.empty() && runs_.back().first + runs_.back().count == firstQuad) {
        runs_.back().count += end - first;
    } else {
        runs_.push_back({firstQuad, end - first});
    }
    if (firstOfRow) rowRun[z] = static_cast<uint32_t>(runs_.size() - 1);
}

void VisibleQuads::select(const QuadPieces& pieces, const ViewVolume& view, const float* heights) {
    startSelection(pieces);
    std::fill(firstPiece.begin(), firstPiece.end(), 0);
    std::fill(endPiece.begin(), endPiece.end(), 0);
    const uint32_t perPiece = QuadPieces::quadsPerPiece;
    const uint32_t piecesPerRow = pieces.piecesPerRow();
    // Only the rows and pieces within the ground the view can reach are
    // looked at, so a frame's choice costs what the view takes in, not what
    // the grid holds. With a height that is not a number, all of them.
    uint32_t firstRow = 0, endRow = rows, reachFirst = 0, reachEnd = piecesPerRow;
    ViewVolume::GroundRectangle reach{};
    if (std::isfinite(pieces.lowest()) && std::isfinite(pieces.highest())) {
        if (!view.reachesGround(pieces.lowest(), pieces.highest(), reach)) return;
        // A step of margin on every side: the rectangle is worked out in
        // other rounding than the tests of the pieces.
        auto clamp = [](float value, uint32_t count) {
            if (!(value > 0)) return 0u;
            return value >= static_cast<float>(count) ? count : static_cast<uint32_t>(value);
        };
        firstRow = clamp(std::floor(reach.lowZ) - 1, rows);
        endRow = clamp(std::ceil(reach.highZ) + 1, rows);
        reachFirst = clamp(std::floor((reach.lowX - 1) / perPiece), piecesPerRow);
        reachEnd = clamp(std::ceil((reach.highX + 1) / perPiece), piecesPerRow);
    }
    for (uint32_t z = firstRow; z < endRow; ++z) {
        auto seen = [&](uint32_t piece) {
            const QuadPieces::Box box = pieces.box(z, piece);
            return !view.excludesBox(box.low, box.high);
        };
        uint32_t first = reachFirst;
        while (first < reachEnd && !seen(first)) ++first;
        if (first == reachEnd) continue;
        uint32_t end = reachEnd;
        while (!seen(end - 1)) --end;
        firstPiece[z] = first, endPiece[z] = end;
    }
    hiddenLeftOut = heights && hiddenGround.markHidden(pieces, heights, view, firstPiece.data(), endPiece.data());
    for (uint32_t z = firstRow; z < endRow; ++z) addRunsOfRow(z);
}

// One run for each stretch of the row's chosen quads that hidden ground
// leaves in (one for the whole stretch when none was looked for), up to
// runsPerRow a row.
void VisibleQuads::addRunsOfRow(uint32_t z) {
    const uint32_t first = firstPiece[z] * QuadPieces::quadsPerPiece;
    const uint32_t end = std::min(endPiece[z] * QuadPieces::quadsPerPiece, quadsPerRow);
    auto hidden = [&](uint32_t x) { return hiddenLeftOut && hiddenGround.hides(z, x); };
    uint32_t runs = 0;
    for (uint32_t x = first; x < end;) {
        if (hidden(x)) {
            ++x;
            continue;
        }
        uint32_t runEnd = x + 1;
        if (++runs == runsPerRow) {
            runEnd = end;
            while (hidden(runEnd - 1)) --runEnd;
        }
        while (runEnd < end && !hidden(runEnd)) ++runEnd;
        addRun(z, x, runEnd);
        x = runEnd;
    }
}

void VisibleQuads::selectAll(const QuadPieces& pieces) {
    startSelection(pieces);
    for (uint32_t z = 0; z < rows; ++z) addRun(z, 0, quadsPerRow);
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
        if (rowRun[z] == noRun) continue;
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
        // A run may begin in an earlier row or end in a later one.
        const uint32_t rowStart = z * quadsPerRow, nextRowStart = rowStart + quadsPerRow;
        for (size_t r = rowRun[z]; r < runs_.size() && runs_[r].first < nextRowStart; ++r) {
            const uint32_t first = std::max(runs_[r].first, rowStart) - rowStart;
            const uint32_t end = std::min(runs_[r].first + runs_[r].count, nextRowStart) - rowStart;
            if (lowX <= end && highX >= first) return true;
        }
    }
    return false;
}
