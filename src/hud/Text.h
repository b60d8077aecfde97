#pragma once
// Formatted text drawn with a GLUT bitmap font, for the HUD and any other
// flat drawing.
#include <cstdarg>
#include <cstddef>
#include <cstdio>
#include <vector>

// A bounded formatter as vsnprintf is: the length the text needs, or a
// negative number when it reports only that the text did not fit.
using Formatter = int (*)(char* buffer, std::size_t size, const char* format, va_list args);

// Formats format with args into buffer with the formatter, growing the
// buffer until the whole text and its terminating zero fit: to the reported
// length plus one, or to double its size if the formatter reports only
// failure, but not beyond largestFormattedText: a formatter that fails at
// every size leaves an empty text there and -1. An empty buffer starts at
// 100 bytes. Returns the text's length. args is not consumed (every attempt
// formats from a copy).
constexpr std::size_t largestFormattedText = std::size_t{1} << 20;
int formatText(std::vector<char>& buffer, const char* format, va_list args, Formatter formatter = std::vsnprintf);

// Draws the printf-style text at raster position (x, y) of the current
// projection with font (a GLUT bitmap font such as GLUT_BITMAP_HELVETICA_18),
// in the colour current at the call. A text of any length is drawn whole.
// Bytes 128 to 255 reach GLUT as negative numbers, which it skips.
void drawText(int x, int y, void* font, const char* format, ...)
    __attribute__((format(printf, 4, 5)));
