// The height-map terrain: heights, normals, bounds-checked access and drawing,
// read back from a real GL context, and the sky's bound against the drawing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <string>
#include <tuple>
#include <vector>

#include "support/Expect.h"
#include "support/GameViewMatrices.h"
#include "support/GlStateGuard.h"
#include "sky/SkyBound.h"
#include "support/TempWorkDir.h"
#include "support/TestPictures.h"
#include "support/WindowReadBack.h"
#include "terrain/QuadBatch.h"
#include "terrain/ShadowGrid.h"
#include "terrain/Terrain.h"
#include "view/SceneGlState.h"

namespace {

// A height map whose red byte at (x, z) is red(x, z); green and blue are noise
// that must not count.
void writeHeightMap(uint32_t width, uint32_t depth, std::function<uint8_t(uint32_t, uint32_t)> red) {
    writeTestPicture("textures/Heights.bmp", width, depth, [&](uint32_t x, uint32_t z) {
        return Rgb{red(x, z), static_cast<uint8_t>(200 - x), 77};
    });
}

TEST(Terrain, HeightsComeFromTheRedChannelOnly) {
    TempWorkDir dir;
    writeHeightMap(4, 3, [](uint32_t x, uint32_t z) { return x == 1 && z == 2 ? 255 : 10; });
    Terrain terrain("Heights.bmp");
    EXPECT_EQ(std::pair(terrain.getWidth(), terrain.getDepth()), std::pair(4u, 3u));
    float h = -1;
    ASSERT_TRUE(terrain.getHeight(1, 2, h));
    EXPECT_FLOAT_EQ(h, 25.5f);
    ASSERT_TRUE(terrain.getHeight(3, 0, h));
    EXPECT_FLOAT_EQ(h, 1.0f);
    EXPECT_EQ(std::pair(terrain.getMinHeight(), terrain.getMaxHeight()), std::pair(1.0f, 25.5f));
    // A height set later moves the range as well, and the height ranges the
    // frame's choice of quads is made from.
    ASSERT_TRUE(terrain.setHeight(0, 0, 30.0f));
    ASSERT_TRUE(terrain.setHeight(1, 2, -2.0f));
    EXPECT_EQ(std::pair(terrain.getMinHeight(), terrain.getMaxHeight()), std::pair(-2.0f, 30.0f));
    EXPECT_EQ(std::pair(terrain.getPieces().low(1, 0), terrain.getPieces().high(0, 0)), std::pair(-2.0f, 30.0f));
}

TEST(Terrain, OnlyInteriorPointsGetASlope) {
    TempWorkDir dir;
    writeHeightMap(3, 3, [](uint32_t x, uint32_t z) { return x == 1 && z == 1 ? 10 : 0; });
    Terrain terrain("Heights.bmp");
    for (uint32_t z = 0; z < 3; ++z)
        for (uint32_t x = 0; x < 3; ++x) {
            const float slope = x == 1 && z == 1 ? -1.0f : 0.0f;  // the point left of it, or behind, less its own
            EXPECT_EQ(std::pair(terrain.getNormalX(x, z), terrain.getNormalZ(x, z)), std::pair(slope, slope)) << x << z;
        }
}

// The heights are read a row at a time straight from the file: a map stored
// top row first, with rows padded to four bytes, is the same ground.
TEST(Terrain, ATopDownPaddedHeightMapGivesTheSameGround) {
    TempWorkDir dir;
    const uint32_t width = 5, depth = 4;  // rows of 15 bytes, 16 when padded
    writeHeightMap(width, depth, [](uint32_t x, uint32_t z) { return (x * 7 + z * z * 13) % 256; });
    const Terrain plain("Heights.bmp");
    std::ifstream in("textures/Heights.bmp", std::ios::binary);
    const std::string file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::string flipped = file.substr(0, 54);
    const uint32_t negative = 0u - depth;
    flipped.replace(22, 4, reinterpret_cast<const char*>(&negative), 4);  // little-endian, as the file
    flipped[34] = 16 * depth;  // the pixel block's size, padded
    for (uint32_t z = depth; z-- > 0;) flipped += file.substr(54 + 15 * z, 15) + '\0';
    dir.writeFile("textures/Flipped.bmp", flipped);
    testing::internal::CaptureStderr();
    const Terrain topDown("Flipped.bmp");
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(topDown.getHeights(), plain.getHeights());
    EXPECT_EQ(std::tuple(topDown.getNormalsX(), topDown.getNormalsZ(), topDown.getMinHeight(), topDown.getMaxHeight()),
              std::tuple(plain.getNormalsX(), plain.getNormalsZ(), plain.getMinHeight(), plain.getMaxHeight()));
}

TEST(Terrain, OutOfBoundsAccessWarnsWithUnsignedCoordinatesAndChangesNothing) {
    TempWorkDir dir;
    writeHeightMap(5, 4, [](uint32_t, uint32_t) { return 30; });
    Terrain terrain("Heights.bmp");
    float h = 42;
    testing::internal::CaptureStderr();
    EXPECT_FALSE(terrain.getHeight(5, 0, h));
    EXPECT_FALSE(terrain.getHeight(static_cast<uint32_t>(-1), 2, h));
    EXPECT_FALSE(terrain.setHeight(0, 4, 9));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "WARNING: Attempted to read point out of bounds: 5, 0\n"
              "WARNING: Attempted to read point out of bounds: 4294967295, 2\n"
              "WARNING: Attempted to write point out of bounds: 0, 4\n");
    EXPECT_EQ(h, 42);
    EXPECT_TRUE(terrain.setHeight(4, 3, 9));
    EXPECT_TRUE(terrain.getHeight(4, 3, h));
    EXPECT_EQ(h, 9);
}

TEST(Terrain, AMissingHeightMapIsFatalWithTheBareName) {
    TempWorkDir dir;
    testing::internal::CaptureStdout();
    expectFatal([] { Terrain terrain("Nowhere.bmp"); }, "Failed to load heightmap Nowhere.bmp");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "File Not Found : ./textures/Nowhere.bmp\n");
}

// Draws the terrain seen along the y axis, lit by a white directional light
// from above; window x is world x and window y is world z.
class TerrainDrawing : public GlTest {
protected:
    void SetUp() override {
        setSceneGlState();  // over black, lit, with normals normalised
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        lookDownOn(4, 4);
        glEnable(GL_LIGHT0);
        const GLfloat noAmbient[] = {0, 0, 0, 1}, white[] = {1, 1, 1, 1}, fromAbove[] = {0, 1, 0, 0};
        glLightModelfv(GL_LIGHT_MODEL_AMBIENT, noAmbient);
        glLightfv(GL_LIGHT0, GL_AMBIENT, noAmbient);
        glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
        glLightfv(GL_LIGHT0, GL_POSITION, fromAbove);
        glDisable(GL_TEXTURE_2D);
        glDisable(GL_DEPTH_TEST);
    }
    static int centreRed() { return readPixel(512, 384).r; }
    // The window shows world x 0 .. width and z 0 .. depth.
    static void lookDownOn(double width, double depth) {
        useOrthoView(0, width, 0, depth, -100, 100);
        glRotatef(-90, 1, 0, 0);  // world z becomes eye y
    }

    TempWorkDir dir;
};

// Each quad takes the grid value of its lower corner as its share of the
// diffuse light: the material's ambient 0.1 meets no ambient light.
TEST_F(TerrainDrawing, EachQuadTakesTheGridValueOfItsLowerCornerAsItsShareOfTheLight) {
    writeHeightMap(5, 5, [](uint32_t, uint32_t) { return 0; });
    Terrain terrain("Heights.bmp");
    terrain.draw();
    EXPECT_NEAR(centreRed(), 255, 2);
    const uint32_t W = 5, D = 5;
    ShadowGrid grid;
    grid.resize(W, D);
    std::fill(grid.data(), grid.data() + W * D, 0.5f);
    grid.data()[(W - 1 - 1) * D + (D - 1 - 2)] = 0.0f;  // only the quad at (x, z) = (1, 2) dark
    glClear(GL_COLOR_BUFFER_BIT);
    terrain.draw(grid);
    // Quad (1..2, 2..3) is centred at world (1.5, 2.5): window (384, 480).
    EXPECT_LT(readPixel(384, 480).r, 5);
    EXPECT_NEAR(readPixel(640, 480).r, 128, 2);
    EXPECT_NEAR(centreRed(), 128, 2);
}

// A map one point wide has no quad; a two by two map is one quad, whose
// normals all point straight up, so the sloped quad is lit fully.
TEST_F(TerrainDrawing, ATwoByTwoMapIsOneFlatLitQuad) {
    writeHeightMap(2, 2, [](uint32_t x, uint32_t) { return x == 0 ? 0 : 20; });
    lookDownOn(1, 1);
    Terrain("Heights.bmp").draw();
    EXPECT_NEAR(centreRed(), 255, 2);
}

// 199 x 99 quads in one run fill more than one batch: the quads past the
// first batch are drawn as well, in their places.
TEST_F(TerrainDrawing, ARunLargerThanABatchIsDrawnWhole) {
    writeHeightMap(200, 100, [](uint32_t, uint32_t) { return 0; });
    Terrain terrain("Heights.bmp");
    ASSERT_GT(199u * 99, QuadBatch::quadsPerBatch);
    ShadowGrid grid;
    grid.resize(200, 100);
    grid.data()[grid.index(198, 98)] = 0.0f;  // the very last quad dark, the rest lit as resize leaves them
    lookDownOn(199, 99);
    terrain.draw(grid);
    for (int y : {2, 384, 700, 750})
        for (int x : {2, 512, 1020}) EXPECT_GT(readPixel(x, y).r, 250) << x << "," << y;
    EXPECT_LT(readPixel(1022, 766).r, 5);
}

// The lowest window row where the drawn terrain leaves the background open.
// A single uncovered pixel inside the ground is a crack the rasteriser left
// between two triangles (softpipe leaves some), not open background.
int lowestOpenRow(const Terrain& terrain, const GameViewMatrices& view) {
    GlStateGuard guard;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixd(view.projection);
    glMatrixMode(GL_MODELVIEW);
    glLoadMatrixd(view.modelview);
    terrain.draw();
    std::vector<float> depth(1024 * 768);
    glReadPixels(0, 0, 1024, 768, GL_DEPTH_COMPONENT, GL_FLOAT, depth.data());
    auto open = [&](int x, int row) {
        return x >= 0 && x < 1024 && row >= 0 && row < 768 && depth[row * 1024 + x] >= 1.0f;
    };
    for (int row = 0; row < 768; ++row)
        for (int x = 0; x < 1024; ++x)
            if (open(x, row) && (open(x - 1, row) || open(x + 1, row) || open(x, row - 1) || open(x, row + 1)))
                return row;
    return 768;
}

// A bowl: a rim 18 to 22 units high round a floor of 2 to 4. Seen from
// inside, the rim hides the land beyond long before the floor's plane would
// prove it: the terrain's edge gives a bound close to the drawn picture, and
// never above it.
TEST(SkyBound, TheTerrainsEdgeBoundsTheOpenRowsOfTheDrawnPicture) {
    TempWorkDir dir;
    const uint32_t size = 64;
    writeTestPicture("textures/Bowl.bmp", size, size, [&](uint32_t x, uint32_t z) {
        const bool rim = x == 0 || z == 0 || x == size - 1 || z == size - 1;
        const int wobble = static_cast<int>((x * 7 + z * 13) % 40);
        return Rgb{static_cast<uint8_t>(rim ? 180 + wobble : 20 + wobble / 2), 0, 0};
    });
    Terrain terrain("Bowl.bmp");
    const TerrainBounds plane{64, 64, terrain.getMinHeight(), terrain.getMaxHeight()};
    TerrainBounds edge = plane;
    edge.heights = terrain.getHeights().data();
    for (int heading = 0; heading < 8; ++heading) {
        const double angle = heading * 0.785398 + 0.3;
        const double c = std::cos(angle), s = std::sin(angle), eyeX = 32 - 12 * c, eyeZ = 32 - 12 * s;
        const GameViewMatrices view = gameViewMatrices(eyeX, 26, eyeZ, eyeX + 20 * c, 12, eyeZ + 20 * s);
        const int open = lowestOpenRow(terrain, view);
        const int byPlane = lowestBackgroundRow(view.modelview, view.projection, view.viewport, plane);
        const int byEdge = lowestBackgroundRow(view.modelview, view.projection, view.viewport, edge);
        EXPECT_LE(byEdge, open) << "heading " << heading << ": the bound cuts into the background";
        EXPECT_GE(byEdge, byPlane) << "heading " << heading;
        EXPECT_GE(byEdge, open - 4) << "heading " << heading << ": the edge's bound is loose";
        EXPECT_LT(byPlane, open - 40) << "heading " << heading << ": the floor's plane alone proves little";
    }
}

}  // namespace
