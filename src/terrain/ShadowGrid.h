#pragma once
// The terrain's shadow for one frame: one brightness per grid point, from 0.0
// (full shadow) to 1.0 (lit, within rounding). The shadow pass fills it from
// its picture; the terrain's drawing and the overlay read it.
//
// For a terrain of W grid points along x and D along z it holds W rows of D
// values in the order the shadow picture is read: the quad whose smaller
// corner is (x, z) takes row W-1-x, column D-1-z. Row 0 (x from W-1 to W)
// lies beyond the last quad and is never read.
#include <cstddef>
#include <cstdint>
#include <memory>

class ShadowGrid {
public:
    // Makes room for a terrain's grid, every value lit. Keeps the values and
    // the memory when the size is already the same, so a frame allocates
    // nothing.
    void resize(uint32_t width, uint32_t depth);
    // The same without writing the values, which are undefined until written:
    // the shadow pass writes only those the frame reads, so on a large map
    // most of the grid's memory is never touched and never becomes resident.
    void resizeUnwritten(uint32_t width, uint32_t depth);
    // Gives the memory back; the grid is then empty.
    void release();

    uint32_t width() const { return width_; }  // grid points along x: rows
    uint32_t depth() const { return depth_; }  // grid points along z: values per row
    bool empty() const { return size_t{width_} * depth_ == 0; }

    // The brightness of the quad whose smaller corner is (x, z).
    float at(uint32_t x, uint32_t z) const { return values[index(x, z)]; }
    size_t index(uint32_t x, uint32_t z) const { return size_t{width_ - 1 - x} * depth_ + (depth_ - 1 - z); }

    // Row-major, as laid out above.
    float* data() { return values.get(); }
    const float* data() const { return values.get(); }

private:
    void allocate(uint32_t width, uint32_t depth);

    uint32_t width_ = 0;
    uint32_t depth_ = 0;
    std::unique_ptr<float[]> values;
};
