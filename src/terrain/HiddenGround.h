#pragma once
// Ground that nearer ground hides, found on the processor from the heights.
//
// Seen from an eye above a continuous height field, take a point Q of the
// ground and the vertical half-plane through the eye and Q. Any ray in that
// half-plane that passes at or below Q (a lower or equal slope, horizontal
// distance t against height) starts above the ground and ends below it by
// Q's distance, so it meets the ground no farther out than Q. A point P of
// the same half-plane farther out than Q, at a slope no steeper than Q's,
// thus lies behind ground on its own ray, and the depth test would throw
// its fragment away. Taken over the directions around the eye, the steepest
// slope of the ground within a distance is a horizon: a piece of ground
// beyond that distance, wholly under the horizon in every direction it
// spans, puts nothing on the screen.
//
// The ground is taken piece by piece in bands of distance from the eye,
// nearest first. A piece is tested against the horizon of the ground wholly
// nearer than its band; the quads of the pieces left in raise it for the
// bands farther out. Directions are bins of a pseudo-angle, and every bound
// is taken on the safe side with a margin, so a piece is only left out when
// it surely cannot be seen. The proof needs the eye above the ground it
// stands over, with all of the view nearer than the near plane above the
// ground too (so nothing between is clipped away), and the eye over the
// grid; when these do not hold, nothing is hidden.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/Vector3.h"

#include "terrain/QuadPieces.h"

class ViewVolume;

class HiddenGround {
public:
    // Decides for the chosen pieces of each row, pieces firstPiece[row] ..
    // endPiece[row] - 1, which of their quads nearer ground hides. heights are the
    // grid's, index x + z * width. False, with every piece left in, when the
    // view gives no way to tell.
    bool markHidden(const QuadPieces& pieces, const float* heights, const ViewVolume& view,
                    const uint32_t* firstPiece, const uint32_t* endPiece);
    // After markHidden returned true: is quad x of a chosen piece's row hidden?
    bool hides(uint32_t row, uint32_t x) const {
        const uint32_t piece = x / QuadPieces::quadsPerPiece;
        return hidden[size_t{row} * piecesPerRow + piece] >> (x - piece * QuadPieces::quadsPerPiece) & 1;
    }

    // Directions around the eye, and bands of distance (world units).
    static constexpr int directionBins = 4096;
    static constexpr float bandWidth = 2.0f;
    static constexpr int bandCount = 1024;

    struct Span {
        float low, high;  // pseudo-angles, slopes or heights
    };
    // The nearest and farthest horizontal distance from the eye to some ground.
    struct Distances {
        float nearest, farthest;
    };

private:
    struct Occluder {
        int firstBin, lastBin;  // the bins it spans wholly, lastBin may pass the end and wrap
        float slope;            // no point of it lies at a lower slope
        int next;               // the next of its band, or -1
    };

    bool eyeAboveGround(const QuadPieces& pieces, const float* heights, const ViewVolume& view);
    void sortByBand(const QuadPieces& pieces, const uint32_t* firstPiece, const uint32_t* endPiece);
    uint8_t hiddenQuads(const QuadPieces& pieces, const float* heights, uint32_t row, uint32_t piece);
    static constexpr uint8_t allHidden = 0xff;
    void lookAlongPiece(uint32_t row, uint32_t piece);
    void lookAlong(uint32_t row, uint32_t first, uint32_t end);
    Span spanOf(uint32_t first, uint32_t end) const;
    Span horizonOver(float low, float high) const;
    Span cornerHeights(const float* heights, uint32_t x, uint32_t row) const;
    void raiseHorizonLater(const float* heights, uint32_t row, uint32_t piece);
    void raiseHorizon(const Occluder& occluder);

    // The strip of quads of a row being looked at, and its corners' directions.
    struct Strip {
        uint32_t row, first, end;
    };
    static constexpr uint32_t stripCorners = QuadPieces::quadsPerPiece + 3;
    Strip strip{};
    float cornerAngle[2][stripCorners] = {};  // along z = row, then z = row + 1
    Distances quadDistances[stripCorners - 1] = {};

    Vector3 eye{};
    uint32_t width = 0, piecesPerRow = 0;
    std::vector<uint8_t> hidden;     // a piece's hidden quads, a bit each, written for the chosen ones
    std::vector<uint32_t> order;     // the chosen pieces (row * piecesPerRow + piece), band by band
    std::vector<uint16_t> pieceBands;  // the chosen pieces' bands, row by row, while they are sorted
    std::vector<uint32_t> bandStart; // where each band's pieces start in order
    std::vector<float> horizon;      // a lowest bound on the steepest slope, a bin
    std::vector<int> bandOccluders;  // the first occluder to raise the horizon before each band, or -1
    std::vector<Occluder> occluders; // room for a frame's; those beyond it are let go
    struct StripBin {
        float slope, farthest;
    };
    std::vector<StripBin> stripBins; // the bins a strip of ground spans, while it is taken
};
