#pragma once
#include <cstdint>

// A decoded picture in memory. data holds width x height x 3 bytes, R, G, B
// per pixel, rows bottom-up as in the file, no gap between rows. After a
// successful readBmp the caller owns data (malloc'd; release with free).
struct Image {
    uint32_t width = 0;           // pixels per row
    uint32_t height = 0;          // number of rows
    unsigned char* data = nullptr;
};
