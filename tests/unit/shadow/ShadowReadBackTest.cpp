// Reading the silhouette picture back and filtering it into the shadow grid:
// patterns painted into the real frame buffer and the filter on its own.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "shadow/ShadowPicture.h"
#include "shadow/ShadowFilter.h"
#include "support/GlStateGuard.h"

namespace {

// Paints the window's pixels from (x, y), width x height, in one grey level.
void paint(int x, int y, int width, int height, float grey) {
    glScissor(x, y, width, height);
    glClearColor(grey, grey, grey, 1);
    glClear(GL_COLOR_BUFFER_BIT);
}

class ShadowReadBackTest : public GlTest {
protected:
    void SetUp() override {
        glEnable(GL_SCISSOR_TEST);
        glViewport(0, 0, 1024, 768);
    }
    void TearDown() override { buffers.release(); }
    ShadowBuffers buffers;
};

// Five blocks by three, so the rows are 15 bytes: not a multiple of the
// default pack alignment. Each row of blocks gets its own pattern so that a
// read with padded or swapped rows shows.
TEST_F(ShadowReadBackTest, EachBlockBecomesTheWeightedMeanOfItsPixels) {
    paint(0, 0, 15, 9, 1.0f);
    // Bottom row of blocks: white, black, centre black, corner black, edge black.
    paint(3, 0, 3, 3, 0.0f);
    paint(7, 1, 1, 1, 0.0f);
    paint(9, 0, 1, 1, 0.0f);
    paint(13, 2, 1, 1, 0.0f);
    // Middle row: black, then white.
    paint(0, 3, 3, 3, 0.0f);
    // Top row: all grey 51 (0.2).
    paint(0, 6, 15, 3, 0.2f);
    glDisable(GL_SCISSOR_TEST);

    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    const float* grid = readShadowGrid(15, 9, buffers).data();
    ASSERT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    EXPECT_EQ(glInteger(GL_PACK_ALIGNMENT), 4);

    ASSERT_EQ(grid, buffers.shadowGrid.data());
    EXPECT_EQ(std::pair(buffers.shadowBufferWidth, buffers.shadowBufferHeight), std::pair(15, 9));
    const float expected[3][5] = {
        {1.0f, 0.0f, 0.6f, 0.95f, 0.9f},
        {0.0f, 1.0f, 1.0f, 1.0f, 1.0f},
        {0.2f, 0.2f, 0.2f, 0.2f, 0.2f},
    };
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 5; ++j) EXPECT_NEAR(grid[i * 5 + j], expected[i][j], 1e-5f) << i << "," << j;
}

// A picture wider and taller than the window: only the window is read, and
// the rest counts as lit instead of whatever lies beyond the frame buffer.
TEST_F(ShadowReadBackTest, PixelsBeyondTheWindowAreNotReadAndCountAsLit) {
    glDisable(GL_SCISSOR_TEST);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    const float* grid = readShadowGrid(1200, 900, buffers).data();
    ASSERT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    // 400 columns; column 341 holds window pixel 1023 and two beyond the
    // edge, row 256 lies above the window's top.
    for (auto [cell, value] : {std::pair{0, 0.0f}, {255 * 400 + 340, 0.0f}, {341, 0.8f}, {342, 1.0f}, {256 * 400, 1.0f},
                               {299 * 400 + 399, 1.0f}})
        EXPECT_NEAR(grid[cell], value, value == 0 ? 1e-6f : 1e-5f) << cell;
}

// The grid feeds the terrain's colours, so the filter must give the very
// bits of the plain per-pixel sum, weight * (byte / 255) in reading order,
// for every byte value in every tap, block by block from the bottom row.
TEST(ShadowFilter, MatchesThePlainSumBitForBit) {
    const float kernel[3][3] = {{0.05f, 0.1f, 0.05f}, {0.1f, 0.4f, 0.1f}, {0.05f, 0.1f, 0.05f}};
    const int width = 3 * 32, height = 3 * 24;
    std::vector<unsigned char> pixels(width * height);
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<unsigned char>((i * 37 + i / 7) % 256);
    std::vector<float> grid(32 * 24);
    filterShadowPixels(pixels.data(), width, height, grid.data());
    for (int i = 0; i < 24; ++i)
        for (int j = 0; j < 32; ++j) {
            float expected = 0.0f;
            for (int r = 0; r < 3; ++r)
                for (int c = 0; c < 3; ++c)
                    expected += kernel[r][c] * (pixels[(3 * i + r) * width + 3 * j + c] * (1.0f / 255.0f));
            ASSERT_EQ(grid[i * 32 + j], expected) << "block " << i << "," << j;
        }
}

}  // namespace
