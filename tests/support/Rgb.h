#pragma once
// One colour of one byte a channel: what test pictures are painted with and
// what a pixel read from the window gives back.
#include <cstdint>

struct Rgb {
    uint8_t r, g, b;
};
