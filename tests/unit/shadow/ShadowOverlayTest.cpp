// The shadow grid's debug overlay, read back from the window's pixels.
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

#include "shadow/ShadowOverlay.h"
#include "support/GlStateGuard.h"
#include "support/WindowReadBack.h"
#include "terrain/ShadowGrid.h"
#include "view/SceneGlState.h"

namespace {

constexpr int areaSize = 96;  // the window's lower-left corner that the tests read

class ShadowOverlayTest : public GlTest {
protected:
    void SetUp() override {
        // The scene's state over black, with whatever a camera left behind.
        setSceneGlState();
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        gluLookAt(10, 5, 3, 64, 0, 64, 0, 1, 0);
        before = matrices();
    }
    void TearDown() override {
        EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
        EXPECT_EQ(matrices(), before);
        EXPECT_EQ(std::tuple(glInteger(GL_MATRIX_MODE), glIsEnabled(GL_TEXTURE_2D), glIsEnabled(GL_LIGHTING),
                             glIsEnabled(GL_DEPTH_TEST)),
                  std::tuple(GL_MODELVIEW, GL_TRUE, GL_TRUE, GL_TRUE));
    }

    // The red channel of the window's lower-left corner, [y][x].
    static std::vector<std::vector<int>> readCorner() {
        const std::vector<unsigned char> window = readWindow(GL_RED);
        std::vector<std::vector<int>> red(areaSize, std::vector<int>(areaSize));
        for (int y = 0; y < areaSize; ++y)
            for (int x = 0; x < areaSize; ++x) red[y][x] = window[y * 1024 + x];
        return red;
    }

    // The projection and the modelview matrix, one after the other.
    static std::array<GLfloat, 32> matrices() {
        std::array<GLfloat, 32> both;
        glGetFloatv(GL_PROJECTION_MATRIX, both.data());
        glGetFloatv(GL_MODELVIEW_MATRIX, both.data() + 16);
        return both;
    }

    std::array<GLfloat, 32> before;
};

TEST_F(ShadowOverlayTest, WithoutAGridAWhiteRectangleStandsAtTwentyTwenty) {
    drawShadowOverlay(nullptr, 40, 24);  // 40 points along x, 24 along z
    const auto red = readCorner();
    for (int y = 0; y < areaSize; ++y)
        for (int x = 0; x < areaSize; ++x) {
            const bool inside = x >= 20 && x < 60 && y >= 20 && y < 44;
            ASSERT_EQ(red[y][x], inside ? 255 : 0) << x << "," << y;
        }
}

// Grid rows (one per x, mirrored) run left to right and grid columns (one
// per z, mirrored) from the top down, one pixel each.
TEST_F(ShadowOverlayTest, EachGridValueLandsOnItsOwnPixel) {
    const unsigned width = 7, depth = 5;
    ShadowGrid shadows;
    shadows.resize(width, depth);
    float* grid = shadows.data();
    for (unsigned k = 0; k < width * depth; ++k) grid[k] = static_cast<float>(k + 1) / 40.0f;
    drawShadowOverlay(&shadows, width, depth);

    const auto red = readCorner();
    int lit = 0;
    for (const std::vector<int>& row : red) lit += areaSize - std::count(row.begin(), row.end(), 0);
    EXPECT_EQ(lit, static_cast<int>(width * depth));
    for (unsigned i = 0; i < width; ++i)
        for (unsigned j = 0; j < depth; ++j) {
            const int x = 20 + static_cast<int>(i);
            const int y = 20 + static_cast<int>(depth - j);
            EXPECT_NEAR(red[y][x], grid[i * depth + j] * 255.0f, 1.0f) << "row " << i << " column " << j;
        }
}

// Lit values over the black clear: in a picture scaled by 1.3 no pixel of the
// overlay stays black, and a 1024 x 600 map shows within 256 pixels each way.
TEST_F(ShadowOverlayTest, SolidAtAnyWindowSizeAndWithinTwiceTheUsualSizeOnABigMap) {
    ShadowGrid lit;
    lit.resize(40, 40);
    glViewport(0, 0, 1331, 998);
    drawShadowOverlay(&lit, 40, 40);
    glViewport(0, 0, 1024, 768);
    auto red = readCorner();
    for (int y = 27; y < 79; ++y)
        for (int x = 27; x < 78; ++x) ASSERT_EQ(red[y][x], 255) << x << "," << y;

    glClear(GL_COLOR_BUFFER_BIT);
    lit.resize(1024, 600);
    drawShadowOverlay(&lit, 1024, 600);
    const std::vector<unsigned char> window = readWindow(GL_RED);
    auto at = [&](int x, int y) { return window[y * 1024 + x]; };
    EXPECT_EQ(std::tuple(at(20 + 255, 21), at(20 + 256, 21), at(20, 20 + 150), at(20, 21 + 150)),
              std::tuple(255, 0, 255, 0));
}

}  // namespace
