#include "PixelFont.h"

#include <cstring>

namespace {

struct Glyph {
    char letter;
    const char* rows[kGlyphHeight];  // top row first; '#' is ink
};

// Only the letters the menu needs.
const Glyph kGlyphs[] = {
    {'A', {".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
    {'B', {"####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."}},
    {'E', {"#####", "#....", "#....", "####.", "#....", "#....", "#####"}},
    {'G', {".###.", "#...#", "#....", "#.###", "#...#", "#...#", ".###."}},
    {'I', {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "#####"}},
    {'L', {"#....", "#....", "#....", "#....", "#....", "#....", "#####"}},
    {'M', {"#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"}},
    {'N', {"#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#", "#...#"}},
    {'O', {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
    {'R', {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"}},
    {'S', {".####", "#....", "#....", ".###.", "....#", "....#", "####."}},
    {'T', {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."}},
    {'U', {"#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
    {'W', {"#...#", "#...#", "#...#", "#.#.#", "#.#.#", "##.##", "#...#"}},
    {'X', {"#...#", "#...#", ".#.#.", "..#..", ".#.#.", "#...#", "#...#"}},
    {'4', {"...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."}},
};

const Glyph* findGlyph(char c) {
    for (const Glyph& glyph : kGlyphs)
        if (glyph.letter == c) return &glyph;
    return nullptr;
}

}  // namespace

int textWidth(const std::string& text, int scale) {
    if (text.empty()) return 0;
    return static_cast<int>(text.size()) * (kGlyphWidth + 1) * scale - scale;
}

void drawText(Canvas& canvas, const std::string& text, int left, int bottom, int scale, Rgb colour) {
    int x = left;
    for (char c : text) {
        if (const Glyph* glyph = findGlyph(c)) {
            for (int row = 0; row < kGlyphHeight; ++row)
                for (int column = 0; column < kGlyphWidth; ++column) {
                    if (glyph->rows[row][column] != '#') continue;
                    // Rows count upwards in the canvas; the glyph's first row is its top.
                    int y = bottom + (kGlyphHeight - 1 - row) * scale;
                    canvas.fillRect(x + column * scale, y, x + (column + 1) * scale, y + scale, colour);
                }
        }
        x += (kGlyphWidth + 1) * scale;
    }
}
