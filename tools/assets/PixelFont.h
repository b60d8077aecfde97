#pragma once
// A tiny 5 x 7 capital-letter font for the menu's labels and title.
#include <string>

#include "Canvas.h"

constexpr int kGlyphWidth = 5;
constexpr int kGlyphHeight = 7;

// Width in pixels of text drawn at scale, one blank column between letters.
int textWidth(const std::string& text, int scale);

// Draws text with its lower-left corner at (left, bottom), each font pixel a
// scale x scale square. Characters the font lacks are drawn as blanks.
void drawText(Canvas& canvas, const std::string& text, int left, int bottom, int scale, Rgb colour);
