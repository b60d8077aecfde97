#include "hud/HudLettering.h"

#include <GL/freeglut.h>
#include <GL/glu.h>

#include <cstring>
#include <initializer_list>
#include <vector>

#include "platform/GameWindow.h"
#include "platform/GlStateScope.h"
#include "platform/PackedRows.h"

namespace {

void* const font = GLUT_BITMAP_HELVETICA_18;
// Each glyph gets a cell of 32 x 32 pixels with its origin 4 in from the left
// and 8 up from the bottom: room for the font's widest glyph, its descenders
// and the glyphs that start left of their origin.
constexpr int cell = 32, originX = 4, originY = 8;
constexpr int cellsAcross = 16;
constexpr int atlasWide = 512, atlasHigh = 256;  // powers of two, as GL 1 wants

void deleteTexture(unsigned name) { glDeleteTextures(1, &name); }

}  // namespace

void HudLettering::prepare() {
    if (texture || framebufferWidth() < cell || framebufferHeight() < cell) return;
    const GlStateScope saved(GL_COLOR_BUFFER_BIT | GL_CURRENT_BIT | GL_ENABLE_BIT | GL_PIXEL_MODE_BIT |
                                 GL_SCISSOR_BIT | GL_TEXTURE_BIT | GL_VIEWPORT_BIT,
                             0, GlStateScope::saveMatrices);
    const PackedRows packed;  // the read-back cells and the texture's rows
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    for (GLenum off : {GL_LIGHTING, GL_TEXTURE_2D, GL_DEPTH_TEST, GL_BLEND, GL_FOG, GL_ALPHA_TEST, GL_STENCIL_TEST})
        glDisable(off);
    glEnable(GL_SCISSOR_TEST);
    glDrawBuffer(GL_BACK);
    glReadBuffer(GL_BACK);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glClearColor(0, 0, 0, 0);

    // A glyph drawn white on black: its red channel is its coverage. Where
    // the window holds the atlas's used rows, every glyph is drawn into its
    // own cell there and all are read back at once: each read waits for the
    // drawing before it, and one a glyph took longer than the drawing.
    std::vector<unsigned char> atlas(static_cast<std::size_t>(atlasWide) * atlasHigh);
    const int usedHigh = (glyphCount + cellsAcross - 1) / cellsAcross * cell;
    const bool atOnce = framebufferWidth() >= atlasWide && framebufferHeight() >= usedHigh;
    const int viewWide = atOnce ? atlasWide : cell, viewHigh = atOnce ? usedHigh : cell;
    glViewport(0, 0, viewWide, viewHigh);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, viewWide, 0, viewHigh, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glScissor(0, 0, viewWide, viewHigh);
    glClear(GL_COLOR_BUFFER_BIT);
    unsigned char drawn[cell * cell];
    for (int i = 0; i < glyphCount; ++i) {
        const int left = i % cellsAcross * cell, bottom = i / cellsAcross * cell;
        const int x = atOnce ? left : 0, y = atOnce ? bottom : 0;
        glScissor(x, y, cell, cell);
        if (!atOnce) glClear(GL_COLOR_BUFFER_BIT);
        glColor3f(1, 1, 1);
        glRasterPos2i(x + originX, y + originY);
        glutBitmapCharacter(font, firstGlyph + i);
        advance[i] = glutBitmapWidth(font, firstGlyph + i);
        if (atOnce) continue;
        glReadPixels(0, 0, cell, cell, GL_RED, GL_UNSIGNED_BYTE, drawn);
        for (int row = 0; row < cell; ++row)
            std::memcpy(&atlas[static_cast<std::size_t>(bottom + row) * atlasWide + left], &drawn[row * cell], cell);
    }
    if (atOnce) glReadPixels(0, 0, atlasWide, usedHigh, GL_RED, GL_UNSIGNED_BYTE, atlas.data());

    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    // Mipmaps keep the strokes whole when the text is drawn small.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    gluBuild2DMipmaps(GL_TEXTURE_2D, GL_ALPHA8, atlasWide, atlasHigh, GL_ALPHA, GL_UNSIGNED_BYTE, atlas.data());
    texture = UploadedName(name, deleteTexture);
}

void HudLettering::draw(float x, float y, const char* text) const {
    if (!texture) return;
    const GlStateScope saved(GL_COLOR_BUFFER_BIT | GL_ENABLE_BIT | GL_TEXTURE_BIT);
    glBindTexture(GL_TEXTURE_2D, texture.get());
    glEnable(GL_TEXTURE_2D);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);  // the current colour, the glyph's coverage
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    constexpr float across = float(cell) / atlasWide, up = float(cell) / atlasHigh;
    glBegin(GL_QUADS);
    for (const char* c = text; *c != '\0'; ++c) {
        const int i = static_cast<unsigned char>(*c) - firstGlyph;
        if (i < 0 || i >= glyphCount) continue;
        const float s = float(i % cellsAcross) * across, t = float(i / cellsAcross) * up;
        const float left = x - originX, bottom = y - originY;
        glTexCoord2f(s, t);
        glVertex2f(left, bottom);
        glTexCoord2f(s + across, t);
        glVertex2f(left + cell, bottom);
        glTexCoord2f(s + across, t + up);
        glVertex2f(left + cell, bottom + cell);
        glTexCoord2f(s, t + up);
        glVertex2f(left, bottom + cell);
        x += static_cast<float>(advance[i]);
    }
    glEnd();
}
