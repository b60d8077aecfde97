#pragma once
// Writes small BMP pictures for tests through the game's own writer.
#include <cstdint>
#include <functional>
#include <string>

#include "support/Rgb.h"

// Writes a width x height picture to path; pixel(x, row) gives each colour,
// row 0 being the file's first (bottom) row.
void writeTestPicture(const std::string& path, uint32_t width, uint32_t height,
                      const std::function<Rgb(uint32_t x, uint32_t row)>& pixel);

// A plain picture of one colour.
void writeSolidPicture(const std::string& path, uint32_t width, uint32_t height, Rgb colour);
