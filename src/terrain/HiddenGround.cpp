#include "terrain/HiddenGround.h"

#include <algorithm>
#include <cmath>

#include "terrain/QuadPieces.h"
#include "view/ViewVolume.h"

namespace {
// Ground nearer the eye than this spans too wide a fan of directions to
// bound well; it is neither tested nor counted as hiding anything.
constexpr float closestDistance = 1.0f;
// What ground must lie under the horizon by, in slope: a fifth of a pixel of
// the 1024 x 768 picture and half a pixel of a picture 2160 high, several
// times what a rasteriser's snapping of vertices (1/16 pixel or finer) can
// move an edge.
constexpr float slopeMargin = 0.0002f;
// A pseudo-angle span is widened (tested) or narrowed (hiding) by this.
constexpr float directionMargin = 1e-4f;
// Ground hides only what lies at least this much farther out than all of it.
constexpr float distanceMargin = 0.5f;
// What the eye must stand above the ground beneath the near part of the view by.
constexpr float clearance = 0.01f;
// Room for the quads that raise the horizon in a frame; the nearest come first.
constexpr size_t occluderRoom = size_t{1} << 17;

constexpr float binsPerUnit = HiddenGround::directionBins / 4.0f;  // a pseudo-angle unit is a quarter turn
constexpr int binMask = HiddenGround::directionBins - 1;

// The direction of (x, z) as a number from 0 up to 4 over a whole turn,
// growing with the angle: cheaper than the angle and ordered the same.
float pseudoAngle(float x, float z) {
    if (z >= 0) return x >= 0 ? z / (x + z) : 1 - x / (z - x);
    return x < 0 ? 2 - z / (-x - z) : 3 + x / (x - z);
}

// The nearest and farthest horizontal distance from the eye's (ex, ez) to
// the ground x0 .. x1 by z0 .. z1.
float nearestDistance(float ex, float ez, float x0, float z0, float x1, float z1) {
    const float dx = std::max({x0 - ex, 0.0f, ex - x1}), dz = std::max({z0 - ez, 0.0f, ez - z1});
    return std::sqrt(dx * dx + dz * dz);
}

HiddenGround::Distances distances(float ex, float ez, float x0, float z0, float x1, float z1) {
    const float fx = std::max(std::fabs(x0 - ex), std::fabs(x1 - ex));
    const float fz = std::max(std::fabs(z0 - ez), std::fabs(z1 - ez));
    return {nearestDistance(ex, ez, x0, z0, x1, z1), std::sqrt(fx * fx + fz * fz)};
}

// An angle taken within half a turn of another. Ground the eye is outside of
// spans under half a turn, so its corners' directions taken within half a
// turn of one of them give its span as their lowest and highest.
float besides(float angle, float reference) {
    const float turn = angle - reference;
    return reference + turn + (turn > 2 ? -4 : turn < -2 ? 4 : 0);
}

// The slope (height over horizontal distance) from the eye that bounds a
// height rise over ground between the distances: the lowest when lowest.
float boundingSlope(float rise, const HiddenGround::Distances& d, bool lowest) {
    const bool overNearest = lowest ? rise <= 0 : rise >= 0;
    return rise / (overNearest ? d.nearest : d.farthest);
}

// The bins a span of directions reaches into, and those it holds whole.
int firstBinReached(float low) { return static_cast<int>(std::floor((low - directionMargin) * binsPerUnit)); }
int lastBinReached(float high) { return static_cast<int>(std::floor((high + directionMargin) * binsPerUnit)); }
int firstBinHeld(float low) { return static_cast<int>(std::ceil((low + directionMargin) * binsPerUnit)); }
int lastBinHeld(float high) { return static_cast<int>(std::floor((high - directionMargin) * binsPerUnit)) - 1; }

// Is the span a plain one? Not when a corner sat at the eye (not a number).
bool spansLessThanHalfATurn(const HiddenGround::Span& span) { return span.low <= span.high && span.high - span.low < 2; }
}  // namespace

bool HiddenGround::markHidden(const QuadPieces& pieces, const float* heights, const ViewVolume& view,
                              const uint32_t* firstPiece, const uint32_t* endPiece) {
    width = pieces.quadsPerRow() + 1;
    piecesPerRow = pieces.piecesPerRow();
    const size_t count = size_t{pieces.rows()} * piecesPerRow;
    if (hidden.size() != count) {  // a new grid: room for all its pieces at once
        hidden.assign(count, 0);
        order.assign(count, 0);
        pieceBands.assign(count, 0);
        bandStart.assign(bandCount + 1, 0);
        bandOccluders.assign(bandCount, -1);
        horizon.assign(directionBins, 0);
        occluders.reserve(occluderRoom);
        stripBins.resize(directionBins / 2);
    }
    if (count == 0 || !eyeAboveGround(pieces, heights, view)) return false;
    strip = {UINT32_MAX, 0, 0};

    sortByBand(pieces, firstPiece, endPiece);
    std::fill(horizon.begin(), horizon.end(), -INFINITY);
    std::fill(bandOccluders.begin(), bandOccluders.end(), -1);
    occluders.clear();
    for (int band = 0; band < bandCount; ++band) {
        for (int o = bandOccluders[band]; o >= 0; o = occluders[o].next) raiseHorizon(occluders[o]);
        for (uint32_t i = bandStart[band]; i < bandStart[band + 1]; ++i) {
            const uint32_t row = order[i] / piecesPerRow, piece = order[i] % piecesPerRow;
            const uint8_t mask = hiddenQuads(pieces, heights, row, piece);
            hidden[order[i]] = mask;
            if (mask != allHidden) raiseHorizonLater(heights, row, piece);
        }
    }
    return true;
}

// The eye over the grid, and the pyramid from it to the near plane's
// corners above every grid point beneath it.
bool HiddenGround::eyeAboveGround(const QuadPieces& pieces, const float* heights, const ViewVolume& view) {
    ViewVolume::NearPart near;
    if (!view.nearPart(near)) return false;
    eye = near.eye;
    const float lastX = static_cast<float>(pieces.quadsPerRow()), lastZ = static_cast<float>(pieces.rows());
    if (!(eye.x >= 0 && eye.x <= lastX && eye.z >= 0 && eye.z <= lastZ)) return false;
    auto gridRange = [](float low, float high, float last, uint32_t& first, uint32_t& end) {
        first = static_cast<uint32_t>(std::clamp(std::floor(low), 0.0f, last));
        end = static_cast<uint32_t>(std::clamp(std::ceil(high), 0.0f, last)) + 1;
    };
    uint32_t x0, x1, z0, z1;
    gridRange(near.below.lowX, near.below.highX, lastX, x0, x1);
    gridRange(near.below.lowZ, near.below.highZ, lastZ, z0, z1);
    for (uint32_t z = z0; z < z1; ++z)
        for (uint32_t x = x0; x < x1; ++x)
            if (!(heights[x + size_t{z} * width] < near.lowestY - clearance)) return false;  // NaN too
    return true;
}

// Counts the chosen pieces by band of nearest distance, then lays them out
// band by band. Each piece's band is worked out once, in the first pass.
void HiddenGround::sortByBand(const QuadPieces& pieces, const uint32_t* firstPiece, const uint32_t* endPiece) {
    std::fill(bandStart.begin(), bandStart.end(), 0);
    size_t chosen = 0;
    for (uint32_t row = 0; row < pieces.rows(); ++row)
        for (uint32_t piece = firstPiece[row]; piece < endPiece[row]; ++piece) {
            const QuadPieces::Box box = pieces.box(row, piece);
            const float nearest = nearestDistance(eye.x, eye.z, box.low.x, box.low.z, box.high.x, box.high.z);
            const auto band = static_cast<uint16_t>(std::min(nearest / bandWidth, static_cast<float>(bandCount - 1)));
            pieceBands[chosen++] = band;
            ++bandStart[band + 1];
        }
    for (int band = 0; band < bandCount; ++band) bandStart[band + 1] += bandStart[band];
    // Fills each band from its start, then moves the starts back.
    chosen = 0;
    for (uint32_t row = 0; row < pieces.rows(); ++row)
        for (uint32_t piece = firstPiece[row]; piece < endPiece[row]; ++piece)
            order[bandStart[pieceBands[chosen++]]++] = row * piecesPerRow + piece;
    for (int band = bandCount; band > 0; --band) bandStart[band] = bandStart[band - 1];
    bandStart[0] = 0;
}

// The lowest and highest corner of quad (x, row).
HiddenGround::Span HiddenGround::cornerHeights(const float* heights, uint32_t x, uint32_t row) const {
    const float* corner = heights + x + size_t{row} * width;
    const auto [low, high] = std::minmax({corner[0], corner[1], corner[width], corner[width + 1]});
    return {low, high};
}

// The directions of the corners of quads first .. end - 1 of a row, and
// the quads' distances.
void HiddenGround::lookAlong(uint32_t row, uint32_t first, uint32_t end) {
    strip = {row, first, end};
    const float reference = pseudoAngle(static_cast<float>(first) - eye.x, static_cast<float>(row) - eye.z);
    const float z0 = static_cast<float>(row), z1 = z0 + 1;
    for (uint32_t x = first; x <= end; ++x) {
        for (uint32_t side = 0; side < 2; ++side)
            cornerAngle[side][x - first] =
                besides(pseudoAngle(static_cast<float>(x) - eye.x, static_cast<float>(row + side) - eye.z), reference);
        const float x0 = static_cast<float>(x);
        if (x < end) quadDistances[x - first] = distances(eye.x, eye.z, x0, z0, x0 + 1, z1);
    }
}

// The directions the quads first .. end - 1 of the strip span.
HiddenGround::Span HiddenGround::spanOf(uint32_t first, uint32_t end) const {
    Span span{INFINITY, -INFINITY};
    for (uint32_t x = first; x <= end; ++x)
        for (const float (&side)[stripCorners] : cornerAngle) {
            span.low = std::min(span.low, side[x - strip.first]);
            span.high = std::max(span.high, side[x - strip.first]);
        }
    return span;
}

// The lowest and highest horizon over the bins the span reaches into. A
// span that is not a number (a corner at the eye) could reach anywhere.
HiddenGround::Span HiddenGround::horizonOver(float low, float high) const {
    if (!spansLessThanHalfATurn({low, high})) return {-INFINITY, INFINITY};
    Span range{INFINITY, -INFINITY};
    for (int bin = firstBinReached(low); bin <= lastBinReached(high); ++bin) {
        range.low = std::min(range.low, horizon[bin & binMask]);
        range.high = std::max(range.high, horizon[bin & binMask]);
    }
    return range;
}

// The whole piece at once, and when some of it may show and some not, quad by quad.
uint8_t HiddenGround::hiddenQuads(const QuadPieces& pieces, const float* heights, uint32_t row, uint32_t piece) {
    const QuadPieces::Box box = pieces.box(row, piece);
    const Distances d = distances(eye.x, eye.z, box.low.x, box.low.z, box.high.x, box.high.z);
    if (!(d.nearest >= closestDistance)) return 0;
    // The corners of the box span what the piece spans.
    const float reference = pseudoAngle(box.low.x - eye.x, box.low.z - eye.z);
    Span span{reference, reference};
    for (const auto& [x, z] : {std::pair{box.high.x, box.low.z}, {box.high.x, box.high.z}, {box.low.x, box.high.z}}) {
        const float angle = besides(pseudoAngle(x - eye.x, z - eye.z), reference);
        span = {std::min(span.low, angle), std::max(span.high, angle)};
    }
    const Span horizonRange = horizonOver(span.low, span.high);
    if (horizonRange.low >= boundingSlope(box.high.y - eye.y, d, false) + slopeMargin) return allHidden;
    // Not even the lowest of it under the highest horizon: all of it shows.
    if (!(horizonRange.high >= boundingSlope(box.low.y - eye.y, d, true) + slopeMargin)) return 0;

    const uint32_t firstX = piece * QuadPieces::quadsPerPiece, endX = static_cast<uint32_t>(box.high.x);
    lookAlongPiece(row, piece);
    uint8_t mask = 0;
    for (uint32_t x = firstX; x < endX; ++x) {
        const float high = cornerHeights(heights, x, row).high;
        const Distances& quad = quadDistances[x - strip.first];
        if (!(quad.nearest >= closestDistance)) continue;
        const Span quadSpan = spanOf(x, x + 1);
        if (horizonOver(quadSpan.low, quadSpan.high).low >= boundingSlope(high - eye.y, quad, false) + slopeMargin)
            mask |= 1u << (x - firstX);
    }
    return mask;
}

// The strip of a piece: its quads and one more on either side.
void HiddenGround::lookAlongPiece(uint32_t row, uint32_t piece) {
    const uint32_t firstX = piece * QuadPieces::quadsPerPiece;
    const uint32_t first = firstX > 0 ? firstX - 1 : 0;
    const uint32_t end = std::min(firstX + QuadPieces::quadsPerPiece + 1, width - 1);
    if (strip.row != row || strip.first != first || strip.end != end) lookAlong(row, first, end);
}

// A piece left in raises the horizon over the directions it wholly spans,
// from the first band wholly beyond it. It is taken with a quad more on
// either side, so that the directions between neighbouring pieces are
// spanned too. Each quad bounds the slope from below by its lowest corner,
// and a bin takes the lowest bound of the quads that reach into it: every
// direction of the bin meets one of them. (Ground hides whether drawn or
// not: the nearest ground on a ray is never hidden.)
void HiddenGround::raiseHorizonLater(const float* heights, uint32_t row, uint32_t piece) {
    lookAlongPiece(row, piece);
    const float z0 = static_cast<float>(row), z1 = z0 + 1;
    const float nearest =
        nearestDistance(eye.x, eye.z, static_cast<float>(strip.first), z0, static_cast<float>(strip.end), z1);
    if (!(nearest >= closestDistance)) return;
    const Span span = spanOf(strip.first, strip.end);
    if (!spansLessThanHalfATurn(span)) return;  // a corner at the eye
    const int firstBin = firstBinHeld(span.low), lastBin = lastBinHeld(span.high);
    if (lastBin < firstBin) return;
    for (int bin = firstBin; bin <= lastBin; ++bin) stripBins[bin - firstBin] = {INFINITY, 0};
    for (uint32_t x = strip.first; x < strip.end; ++x) {
        const float low = cornerHeights(heights, x, row).low;
        const Distances& d = quadDistances[x - strip.first];
        const float slope = boundingSlope(low - eye.y, d, true);
        const Span quadSpan = spanOf(x, x + 1);
        if (!spansLessThanHalfATurn(quadSpan)) return;
        const int from = std::max(firstBin, firstBinReached(quadSpan.low));
        const int to = std::min(lastBin, lastBinReached(quadSpan.high));
        for (int bin = from; bin <= to; ++bin) {
            StripBin& b = stripBins[bin - firstBin];
            b.slope = std::isnan(slope) ? -INFINITY : std::min(b.slope, slope);
            b.farthest = std::max(b.farthest, d.farthest);
        }
    }
    // One occluder for each stretch of bins with the same bound and band.
    auto bandOf = [](float farthest) { return static_cast<int>(std::ceil((farthest + distanceMargin) / bandWidth)); };
    for (int bin = firstBin; bin <= lastBin;) {
        const StripBin& b = stripBins[bin - firstBin];
        const int band = bandOf(b.farthest);
        int end = bin + 1;
        while (end <= lastBin && stripBins[end - firstBin].slope == b.slope &&
               bandOf(stripBins[end - firstBin].farthest) == band)
            ++end;
        if (band < bandCount && b.slope > -INFINITY) {
            if (occluders.size() == occluderRoom) return;
            occluders.push_back({bin, end - 1, b.slope, bandOccluders[band]});
            bandOccluders[band] = static_cast<int>(occluders.size() - 1);
        }
        bin = end;
    }
}

void HiddenGround::raiseHorizon(const Occluder& occluder) {
    for (int bin = occluder.firstBin; bin <= occluder.lastBin; ++bin) {
        float& slope = horizon[bin & binMask];
        if (occluder.slope > slope) slope = occluder.slope;  // not a number raises nothing
    }
}
