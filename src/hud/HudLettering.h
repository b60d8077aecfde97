#pragma once
// The HUD's font as a picture, so that its text can be drawn at any scale.
// Bitmap text is drawn at the font's own size whatever the projection, so in
// a window of another size it would no longer fit the scaled panel. The
// glyphs are drawn once in the back buffer and read back into an alpha
// texture; textured quads then draw them at the picture's scale.
#include "base/UploadedName.h"

class HudLettering {
public:
    // Draws each glyph of the HUD's font in the back buffer's bottom-left
    // corner, reads it back and uploads the lot, once. Call where the back
    // buffer's contents do not matter (the frame does before it clears) and
    // the window is at least 32 pixels each way; does nothing after it has
    // once succeeded. Leaves the GL state as it found it.
    void prepare();
    bool ready() const { return static_cast<bool>(texture); }

    // Draws text with its first glyph's origin at (x, y) of the current
    // projection, one unit a pixel of the font, in the colour current at the
    // call. Characters the font has no glyph for are skipped.
    void draw(float x, float y, const char* text) const;

    // Deletes the texture; needs the GL context it was made in.
    void release() { texture.reset(); }

private:
    static constexpr int firstGlyph = 32, glyphCount = 95;  // ' ' to '~'
    UploadedName texture;
    int advance[glyphCount] = {};  // pixels the pen moves after each glyph
};
