// The heads-up display: what it writes, where, and how its panel blends over
// the scene, whatever the camera left in the matrices.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <tuple>
#include <vector>

#include "hud/Hud.h"
#include "hud/HudLettering.h"
#include "support/FeedbackCapture.h"
#include "support/GlStateGuard.h"
#include "support/GlStateSnapshot.h"
#include "support/WindowReadBack.h"
#include "view/SceneGlState.h"

namespace {

struct Glyph {
    float x, y, r, g, b;  // raster position in window pixels, raster colour
};

// Keeps the GL state, and hands over the scene's state with the matrices as
// a chase camera might leave them: the game's projection, a turned, moved view.
class HudTest : public GlTest {
protected:
    void SetUp() override {
        setSceneGlState();
        glRotatef(35, 0.3f, 1, 0);
        glTranslatef(-64, -3, -60);
    }

    // Every character drawHud draws, in order, read back through feedback;
    // besides them the HUD draws only its panel's polygons.
    static std::vector<Glyph> drawnGlyphs(int score, int fps) {
        std::vector<Glyph> glyphs;
        for (const FeedbackPrimitive& p :
             feedbackPrimitives(GL_3D_COLOR, captureFeedback(GL_3D_COLOR, [&] { drawHud(score, fps); }))) {
            if (p.token == GL_BITMAP_TOKEN) {
                const std::vector<GLfloat>& f = p.vertices[0];
                glyphs.push_back({f[0], f[1], f[3], f[4], f[5]});
            } else {
                EXPECT_EQ(p.token, GL_POLYGON_TOKEN);
            }
        }
        return glyphs;
    }

    // Checks that glyphs, from index first on, spell text from (x, y).
    static void expectLine(const std::vector<Glyph>& glyphs, std::size_t first,
                           const std::string& text, float x, float y) {
        ASSERT_GE(glyphs.size(), first + text.size()) << text;
        for (std::size_t i = 0; i < text.size(); ++i) {
            const Glyph& g = glyphs[first + i];
            EXPECT_FLOAT_EQ(g.x, x) << text << " at " << i;
            EXPECT_FLOAT_EQ(g.y, y) << text << " at " << i;
            EXPECT_EQ(g.r + g.g + g.b, 0.0f) << "text is black";
            x += glutBitmapWidth(GLUT_BITMAP_HELVETICA_18, text[i]);
        }
    }
};

}  // namespace

TEST_F(HudTest, WritesScoreAndFrameRateWithTwoBlanks) {
    const std::tuple<int, int, std::string, std::string> cases[] = {
        {-15, 60, "SCORE  -15", "FPS  60"}, {0, 0, "SCORE  0", "FPS  0"}, {125, 1234, "SCORE  125", "FPS  1234"}};
    for (const auto& [score, fps, scoreLine, fpsLine] : cases) {
        const std::vector<Glyph> glyphs = drawnGlyphs(score, fps);
        EXPECT_EQ(glyphs.size(), scoreLine.size() + fpsLine.size());
        expectLine(glyphs, 0, scoreLine, 16, 738);
        expectLine(glyphs, scoreLine.size(), fpsLine, 45, 718);
    }
}

TEST_F(HudTest, PanelIsTranslucentWhiteWithAFadingTail) {
    glClearColor(0, 0, 1, 1);  // a blue scene
    glClear(GL_COLOR_BUFFER_BIT);
    const GlStateSnapshot before = takeGlStateSnapshot();

    drawHud(5, 60);

    const std::vector<unsigned char> pixels = readWindow(GL_RGBA);
    auto at = [&](int x, int y) { return &pixels[(static_cast<std::size_t>(y) * 1024 + x) * 4]; };

    // White at 75 % over blue, where no letter stands (the top rows).
    for (int x : {10, 60, 117}) {
        const unsigned char* p = at(x, 757);
        EXPECT_NEAR(p[0], 191, 2) << x;
        EXPECT_NEAR(p[1], 191, 2) << x;
        EXPECT_EQ(p[2], 255) << x;
    }
    // The tail fades from 75 % at x = 118 to nothing at x = 158.
    int previous = 255;
    for (int x = 118; x < 158; ++x) {
        const int red = at(x, 740)[0];
        EXPECT_NEAR(red, 255 * 0.75 * (158 - (x + 0.5)) / 40, 3) << x;
        EXPECT_LE(red, previous) << x;
        previous = red;
    }
    // The scene untouched around the panel.
    for (auto [x, y] : {std::pair{9, 740}, {60, 711}, {60, 758}, {158, 740}, {500, 400}})
        EXPECT_EQ(std::tuple(at(x, y)[0], at(x, y)[1], at(x, y)[2]), std::tuple(0, 0, 255)) << x << "," << y;
    // Black letters on the panel.
    int black = 0;
    for (int y = 712; y < 758; ++y)
        for (int x = 10; x < 158; ++x) black += at(x, y)[0] + at(x, y)[1] + at(x, y)[2] == 0;
    EXPECT_GT(black, 60);

    // The projection, the scene's switches and its blend function come back.
    const GlStateSnapshot after = takeGlStateSnapshot();
    EXPECT_TRUE(std::equal(after.projection, after.projection + 16, before.projection));
    EXPECT_EQ(stateDifferences(after, before, StateParts::switchesAndBlend), std::vector<std::string>{});
}

// In a picture of another size the text is scaled with the panel: its dark
// pixels span the same part of the panel, in picture pixels, as at 1024 x 768.
TEST_F(HudTest, TextScalesWithThePanelInAPictureOfAnotherSize) {
    HudLettering lettering;
    lettering.prepare();
    ASSERT_TRUE(lettering.ready());
    auto textSpan = [&](int wide, int high) {  // left, right, bottom, top in picture pixels
        glViewport(0, 0, wide, high);
        glClearColor(0, 0, 1, 1);  // a blue scene
        glClear(GL_COLOR_BUFFER_BIT);
        drawHud(-15, 60, &lettering);
        const std::vector<unsigned char> pixels = readWindow(GL_RGBA);
        std::array<int, 4> span{1024, 0, 768, 0};
        for (int y = 0; y < high; ++y)
            for (int x = 0; x < wide; ++x) {
                const unsigned char* p = &pixels[(static_cast<std::size_t>(y) * 1024 + x) * 4];
                if (p[0] > 96 || p[2] > 128) continue;  // the panel, or the blue scene
                span = {std::min(span[0], x * 1024 / wide), std::max(span[1], (x + 1) * 1024 / wide),
                        std::min(span[2], y * 768 / high), std::max(span[3], (y + 1) * 768 / high)};
            }
        return span;
    };
    const std::array<int, 4> usual = textSpan(1024, 768);
    EXPECT_TRUE(usual[0] > 10 && usual[1] < 158 && usual[2] > 712 && usual[3] < 758);
    for (auto [wide, high] : {std::pair{512, 384}, {800, 600}}) {
        const std::array<int, 4> scaled = textSpan(wide, high);
        for (int side = 0; side < 4; ++side) EXPECT_NEAR(scaled[side], usual[side], 2 * 1024 / wide) << wide;
    }
    glViewport(0, 0, 1024, 768);
    lettering.release();
}
