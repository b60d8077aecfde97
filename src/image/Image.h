#pragma once
// A decoded picture in memory, owning its pixels: width x height x 3 bytes,
// R, G, B per pixel, rows bottom-up as in the file, no gap between rows. The
// block is a plain malloc'd one, freed with the Image (or by whoever takes it
// with data.release()).
#include <cstdint>
#include <cstdlib>
#include <memory>

struct FreeDeleter {
    void operator()(unsigned char* block) const { std::free(block); }
};
// A malloc'd block of pixel bytes, freed when it goes.
using PixelBuffer = std::unique_ptr<unsigned char[], FreeDeleter>;

struct Image {
    uint32_t width = 0;   // pixels per row
    uint32_t height = 0;  // number of rows
    PixelBuffer data;     // null until read
};
