#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/Vector3.h"

// The height range of each short piece of each row of quads, worked out once
// for a grid; it bounds what the quads of a piece can cover.
class QuadPieces {
public:
    static constexpr uint32_t quadsPerPiece = 8;

    // heights indexed x + z * width, one per grid point.
    void prepare(const std::vector<float>& heights, uint32_t width, uint32_t depth);

    uint32_t quadsPerRow() const { return quadsPerRow_; }
    uint32_t rows() const { return rows_; }
    uint32_t piecesPerRow() const { return piecesPerRow_; }
    float low(uint32_t row, uint32_t piece) const { return pieceLow[size_t{row} * piecesPerRow_ + piece]; }
    float high(uint32_t row, uint32_t piece) const { return pieceHigh[size_t{row} * piecesPerRow_ + piece]; }
    // The box that holds every quad of a piece: x along the piece, its
    // lowest and highest corner, z across its row.
    struct Box {
        Vector3 low, high;
    };
    Box box(uint32_t row, uint32_t piece) const;
    // The lowest and the highest corner of all.
    float lowest() const { return lowest_; }
    float highest() const { return highest_; }

private:
    uint32_t quadsPerRow_ = 0;
    uint32_t rows_ = 0;
    uint32_t piecesPerRow_ = 0;
    std::vector<float> pieceLow;   // lowest corner height, per row then piece
    std::vector<float> pieceHigh;  // highest corner height
    float lowest_ = 0, highest_ = 0;
};
