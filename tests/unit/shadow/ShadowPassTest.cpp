// The shadow pass on small worlds built by hand: where the silhouettes land
// in the grid, how the buffers live, and the state the pass leaves behind.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <memory>
#include <utility>
#include <vector>

#include "shadow/ShadowPass.h"
#include "shadow/ShadowReach.h"
#include "lighting/DirectionalLight.h"
#include "lighting/LightSlots.h"
#include "scene/Object.h"
#include "support/GlStateGuard.h"
#include "support/TempWorkDir.h"
#include "support/TestPictures.h"
#include "support/WindowReadBack.h"
#include "terrain/Terrain.h"
#include "terrain/VisibleQuads.h"
#include "view/SceneGlState.h"

namespace {

// A post: a box one unit across and four tall, standing on its origin.
const char* const postModel =
    "v -0.5 0 -0.5\nv 0.5 0 -0.5\nv 0.5 0 0.5\nv -0.5 0 0.5\n"
    "v -0.5 4 -0.5\nv 0.5 4 -0.5\nv 0.5 4 0.5\nv -0.5 4 0.5\n"
    "f 1 2 3\nf 1 3 4\nf 5 7 6\nf 5 8 7\n"
    "f 1 5 6\nf 1 6 2\nf 2 6 7\nf 2 7 3\n"
    "f 3 7 8\nf 3 8 4\nf 4 8 5\nf 4 5 1\n";

struct Footprint { int x0, z0, x1, z1; };  // the quads with corners x0 .. x1 - 1, z0 .. z1 - 1

bool covered(const std::vector<Footprint>& footprints, int x, int z) {
    for (const Footprint& f : footprints)
        if (x >= f.x0 && x < f.x1 && z >= f.z0 && z < f.z1) return true;
    return false;
}

template <std::size_t n>
std::array<GLfloat, n> floats(GLenum name) {
    std::array<GLfloat, n> values;
    glGetFloatv(name, values.data());
    return values;
}

class ShadowPassTest : public GlTest {
protected:
    void SetUp() override {
        testing::internal::CaptureStdout();
        dir.writeFile("models/Post.obj", postModel);
        setSceneGlState();  // the frame as the game's display callback hands it over
        sun = std::make_unique<DirectionalLight>();
        setSun(0, 1, 0);
    }
    void TearDown() override {
        sun.reset();
        buffers.release();
        testing::internal::GetCapturedStdout();
        EXPECT_EQ(freeLightSlotCount(), lightSlotCount);
        EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    }

    // The pass over the casters in the game's order: trees, orbs, vehicle.
    const float* pass(const VisibleQuads* drawnQuads = nullptr) {
        casters.clear();
        for (const auto& tree : trees) casters.push_back(tree.get());
        for (const auto& orb : orbs) casters.push_back(orb.get());
        casters.push_back(vehicle.get());
        Vector3 towardsSun;
        sun->getDirection(towardsSun.x, towardsSun.y, towardsSun.z);
        return shadowPass({casters.data(), casters.size()}, towardsSun, terrain->getWidth(), terrain->getDepth(), drawnQuads, buffers).data();
    }

    void setSun(float x, float y, float z) {
        const float length = std::sqrt(x * x + y * y + z * z);
        sun->setDirection(x / length, y / length, z / length);
    }

    // A flat terrain of width x depth grid points at height 0.
    void makeTerrain(uint32_t width, uint32_t depth) {
        writeSolidPicture("textures/Flat.bmp", width, depth, Rgb{0, 0, 0});
        terrain = std::make_unique<Terrain>("Flat.bmp");
    }

    static std::unique_ptr<Object> post(float x, float z, float scale) {
        auto object = std::make_unique<Object>("Post.obj");
        object->setPosition(x, 0.1f, z);
        object->setScale(scale);
        return object;
    }

    // The grid value the terrain gives the quad with smaller corner (x, z).
    float quad(const float* grid, int x, int z) {
        const int width = static_cast<int>(terrain->getWidth());
        const int depth = static_cast<int>(terrain->getDepth());
        return grid[(width - 1 - x) * depth + (depth - 1 - z)];
    }

    // Every quad of the terrain is dark exactly when a footprint covers it.
    void expectShadowsExactlyUnder(const float* grid, const std::vector<Footprint>& footprints) {
        const int width = static_cast<int>(terrain->getWidth());
        const int depth = static_cast<int>(terrain->getDepth());
        for (int x = 0; x + 1 < width; ++x)
            for (int z = 0; z + 1 < depth; ++z) {
                const bool dark = covered(footprints, x, z);
                ASSERT_NEAR(quad(grid, x, z), dark ? 0.0f : 1.0f, dark ? 1e-6f : 1e-5f) << "quad " << x << "," << z;
            }
    }

    TempWorkDir dir;
    std::unique_ptr<Terrain> terrain;
    std::unique_ptr<DirectionalLight> sun;
    std::unique_ptr<Object> trees[36], orbs[24], vehicle;  // the objects go before the light
    ShadowBuffers buffers;
    std::vector<const Object*> casters;
};

TEST_F(ShadowPassTest, AtNoonTheSilhouetteLiesDirectlyUnderItsObject) {
    makeTerrain(32, 32);
    trees[0] = post(20, 12, 2);  // covers x 19 .. 21, z 11 .. 13
    orbs[3] = std::make_unique<Object>(Object::sphereType);
    orbs[3]->setPosition(6, 2, 25);
    orbs[3]->setScale(2);  // a disc of radius 2 covers the quads at 5 .. 6, 24 .. 25
    vehicle = post(9, 5, 4);          // covers x 7 .. 11, z 3 .. 7
    const float* grid = pass();
    ASSERT_EQ(grid, buffers.shadowGrid.data());

    EXPECT_NEAR(quad(grid, 5, 24), 0.0f, 1e-6f);
    EXPECT_NEAR(quad(grid, 6, 25), 0.0f, 1e-6f);
    EXPECT_NEAR(quad(grid, 8, 27), 1.0f, 1e-5f);
    // Leave the round shadow out of the exact comparison.
    orbs[3].reset();
    grid = pass();
    expectShadowsExactlyUnder(grid, {{19, 11, 21, 13}, {7, 3, 11, 7}});
}

TEST_F(ShadowPassTest, ALowSunStretchesTheSilhouetteAwayFromIt) {
    makeTerrain(32, 32);
    trees[5] = post(20, 16, 2);  // 2 across, 8 tall
    // The sun low in +x: each unit of height slides two units towards -x.
    setSun(2, 1, 0);
    const float* grid = pass();
    expectShadowsExactlyUnder(grid, {{3, 15, 21, 17}});

    // Low in +z, at 45 degrees: one unit towards -z per unit of height.
    setSun(0, 1, 1);
    grid = pass();
    expectShadowsExactlyUnder(grid, {{19, 7, 21, 17}});
}

// At noon a standing post darkens only its footprint; felled along +z (its
// heading first, as the game's trees turn), its crown's shadow lies 3 units on.
TEST_F(ShadowPassTest, AFelledTreeCastsTheShadowOfALyingOne) {
    makeTerrain(32, 32);
    Object* tree = (trees[0] = post(16, 16, 1.5f)).get();
    tree->setRotationOrder(2, 1, 3);
    for (float tilt : {0.0f, 90.0f}) {
        tree->setRotationX(tilt);
        const float* grid = pass();
        EXPECT_LT(quad(grid, 15, 16), 0.5f) << "tilt " << tilt;
        EXPECT_EQ(quad(grid, 15, 19) < 0.5f, tilt > 0) << "tilt " << tilt;
        EXPECT_NEAR(quad(grid, 15, 12), 1.0f, 1e-5f) << "tilt " << tilt;
    }
}

// Closed shapes cast their shadows from their sunward faces alone; the
// silhouette picture must not lose a single pixel for it, whatever the sun.
TEST_F(ShadowPassTest, ClosedShapesCastTheSameSilhouettesFromTheirSunwardFacesAlone) {
    makeTerrain(40, 40);
    ASSERT_TRUE(Object(Object::sphereType).hasClosedSurface());
    ASSERT_TRUE(Object("Post.obj").hasClosedSurface());
    for (int i = 0; i < 6; ++i) {
        orbs[i] = std::make_unique<Object>(Object::sphereType);
        orbs[i]->setPosition(5.3f + 6.1f * i, 1.7f, 8.45f + 3.3f * i);
        orbs[i]->setScale(0.3f + 0.37f * i);
        trees[i] = post(34.6f - 5.2f * i, 30.15f - 2.9f * i, 0.4f + 0.23f * i);
        trees[i]->setRotationY(17.0f * i);
    }
    size_t shadowed = 0;
    for (int step = 0; step < 24; ++step) {
        const float angle = 0.13f * step;
        setSun(std::cos(angle) * (1 + step % 3), 0.4f + 0.25f * (step % 5), std::sin(angle));
        const float* sunward = pass();
        const std::vector<float> sunwardFaces(sunward, sunward + 40 * 40);
        // The whole picture from every face of every shape the pass cast: the
        // pass, which draws only the cells the silhouettes may reach, must
        // give every value it gives.
        float matrix[16];
        Vector3 towardsSun;
        sun->getDirection(towardsSun.x, towardsSun.y, towardsSun.z);
        makeShadowMatrix(towardsSun, matrix);
        {
            const ShadowPicture picture(40, 40, false, buffers);
            forEachShadowTile(buffers, [&](const ShadowTile&) {
                glClear(GL_COLOR_BUFFER_BIT);
                for (const Object* shape : casters) if (shape) shape->drawSilhouette(matrix);
            });
        }
        const std::vector<float> allFaces(buffers.shadowGrid.data(), buffers.shadowGrid.data() + 40 * 40);
        ASSERT_EQ(sunwardFaces, allFaces) << "sun step " << step;
        for (float value : allFaces) shadowed += value < 0.5f;
    }
    EXPECT_GT(shadowed, 100u);  // the silhouettes are there at all
    EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));
}

TEST_F(ShadowPassTest, TwoPassesReuseTheBuffersAndANewSizeRemakesThem) {
    makeTerrain(20, 14);
    orbs[0] = post(5, 5, 2);
    const float* first = pass();
    const unsigned char* pixels = buffers.shadowPixels.data();
    EXPECT_EQ(std::pair(buffers.shadowBufferWidth, buffers.shadowBufferHeight), std::pair(3 * 14, 3 * 20));
    EXPECT_EQ(size_t{buffers.shadowGrid.width()} * buffers.shadowGrid.depth(), size_t{20 * 14});

    orbs[0]->setPosition(12, 0.1f, 9);
    const float* second = pass();
    EXPECT_EQ(std::tuple(second, buffers.shadowPixels.data()), std::tuple(first, pixels));
    // The grid of the first pass is overwritten by the second.
    EXPECT_NEAR(quad(second, 5, 5), 1.0f, 1e-5f);
    EXPECT_NEAR(quad(second, 12, 9), 0.0f, 1e-6f);

    makeTerrain(16, 16);
    pass();
    EXPECT_EQ(std::pair(buffers.shadowBufferWidth, buffers.shadowBufferHeight), std::pair(48, 48));
    EXPECT_EQ(size_t{buffers.shadowGrid.width()} * buffers.shadowGrid.depth(), size_t{16 * 16});
}

TEST_F(ShadowPassTest, LeavesTheStateAsItFoundIt) {
    makeTerrain(24, 24);
    trees[0] = post(10, 10, 2);
    glClearColor(0.3f, 0.4f, 0.5f, 1);
    glShadeModel(GL_FLAT);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glViewport(10, 20, 300, 200);
    glTranslatef(1, 2, 3);
    const auto projection = floats<16>(GL_PROJECTION_MATRIX);
    const auto modelview = floats<16>(GL_MODELVIEW_MATRIX);
    const GLint projectionDepth = glInteger(GL_PROJECTION_STACK_DEPTH);

    pass();

    EXPECT_EQ(floats<4>(GL_VIEWPORT), (std::array<GLfloat, 4>{10, 20, 300, 200}));
    EXPECT_EQ(floats<4>(GL_COLOR_CLEAR_VALUE), (std::array<GLfloat, 4>{0.3f, 0.4f, 0.5f, 1}));
    EXPECT_EQ(std::tuple(glIsEnabled(GL_LIGHTING), glIsEnabled(GL_TEXTURE_2D), glIsEnabled(GL_SCISSOR_TEST)),
              std::tuple(GL_TRUE, GL_TRUE, GL_FALSE));
    EXPECT_EQ(std::tuple(glInteger(GL_SHADE_MODEL), glInteger(GL_PACK_ALIGNMENT), glInteger(GL_MATRIX_MODE)),
              std::tuple(GL_FLAT, 4, GL_MODELVIEW));
    EXPECT_EQ(floats<16>(GL_MODELVIEW_MATRIX), modelview);
    EXPECT_EQ(floats<16>(GL_PROJECTION_MATRIX), projection);
    EXPECT_EQ(glInteger(GL_PROJECTION_STACK_DEPTH), projectionDepth);
}

TEST_F(ShadowPassTest, OnANonSquareTerrainTheDrawnQuadsUnderEachObjectAreDark) {
    makeTerrain(40, 24);
    const std::vector<Footprint> footprints = {
        {4, 17, 6, 19},   // near x = 0: outside a 24 x 24 view of the terrain
        {36, 20, 38, 22}, // the far corner
        {30, 1, 32, 3},
    };
    trees[0] = post(5, 18, 2);
    trees[1] = post(37, 21, 2);
    vehicle = post(31, 2, 2);
    const float* grid = pass();
    expectShadowsExactlyUnder(grid, footprints);

    // Drawn with the grid under a light from straight above, each quad on the
    // window pixel at its smaller corner (x, z).
    useOrthoView(0, 40, 0, 24, -100, 100);
    glViewport(0, 0, 40, 24);
    glRotatef(-90, 1, 0, 0);  // window x = world x, window y = world z
    const GLfloat black[4] = {0, 0, 0, 1};
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, black);
    sun->setDirection(0, 1, 0);
    sun->apply();
    glEnable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_CULL_FACE);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    terrain->draw(buffers.shadowGrid);
    const std::vector<unsigned char> red = readWindow(GL_RED);
    for (int z = 0; z + 1 < 24; ++z)
        for (int x = 0; x + 1 < 40; ++x)
            EXPECT_NEAR(red[z * 1024 + x] / 255.0f, covered(footprints, x, z) ? 0 : 1, 0.1f) << x << "," << z;
}

// 400 x 400 grid points make a 1200 x 1200 picture: four tiles, whose seams
// lie at x = 144 (eye y 256) and z = 59 (eye x 341). The pixels read back
// take no more room than the window's, in whole blocks.
TEST_F(ShadowPassTest, APictureLargerThanTheWindowIsDrawnInTiles) {
    makeTerrain(400, 400);
    trees[0] = post(144, 59, 2);   // across both seams, one quad in each tile
    trees[1] = post(390, 390, 2);  // the first tile
    orbs[0] = post(10, 10, 2);     // the last tile
    vehicle = post(300, 20, 2);
    const float* grid = pass();
    EXPECT_EQ(std::pair(buffers.shadowBufferWidth, buffers.shadowBufferHeight), std::pair(1026, 768));
    EXPECT_EQ(buffers.shadowPixels.size(), size_t{1026 * 768});
    expectShadowsExactlyUnder(grid, {{143, 58, 145, 60}, {389, 389, 391, 391}, {9, 9, 11, 11}, {299, 19, 301, 21}});
}

}  // namespace
