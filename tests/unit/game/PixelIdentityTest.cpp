// The drawing shortcuts must not change a single pixel: the same scripted
// frames are drawn the plain way and the fast way and compared byte by byte.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "app/FastPaths.h"
#include "platform/FramePasses.h"
#include "game/GameClock.h"
#include "game/GameDisplay.h"
#include "game/GameInput.h"
#include "game/GameUpdate.h"
#include "game/GameWorld.h"
#include "hud/ShadowPass.h"
#include "scene/Object.h"
#include "support/GeneratedAssets.h"
#include "terrain/Terrain.h"
#include "terrain/VisibleQuads.h"
#include "view/Camera.h"
#include "view/ViewVolume.h"

namespace {

std::vector<unsigned char> lastFrame;

// Reads the finished frame just before the buffers are swapped.
void keepFrame(FramePass pass) {
    if (pass != FramePass::hud) return;
    lastFrame.assign(1024 * 768 * 3, 0);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, 1024, 768, GL_RGB, GL_UNSIGNED_BYTE, lastFrame.data());
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
}

std::vector<unsigned char> drawFrame(const FastPaths& paths) {
    fastPaths = paths;
    gameDisplay();
    return lastFrame;
}

int32_t clockNow = 0;
int32_t testClock() { return clockNow; }

class PixelIdentity : public testing::Test {
protected:
    InGeneratedAssets assets;
    void SetUp() override {
        testing::internal::CaptureStdout();
        initWorld(18);
        testing::internal::GetCapturedStdout();
        setGameClock(testClock);
        clockNow = 1000;
        world.lastFrameMs = clockNow;
        setFramePassListener(keepFrame);
        gameMouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 0, 0);  // driving, so the scene moves
    }
    void TearDown() override {
        setFramePassListener(nullptr);
        fastPaths = FastPaths{};
        setGameClock(nullptr);
        releaseWorld();
        EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    }
    // Plays until the given time of day, turning steadily.
    static void playUntil(int32_t gameMs) {
        while (clockNow < gameMs) {
            clockNow += 250;
            gameIdle();
            gameMotion(world.lastMouseX + 1, world.lastMouseY);
        }
    }
    // Plays until the given time of day, then draws the frame both ways.
    void expectSameFrameAt(int32_t gameMs, const char* what) {
        playUntil(gameMs);
        const FastPaths plain = FastPaths::none();
        std::vector<unsigned char> slow = drawFrame(plain);
        std::vector<unsigned char> fast = drawFrame(FastPaths{});
        ASSERT_EQ(slow.size(), fast.size());
        size_t differing = 0;
        for (size_t i = 0; i < slow.size(); ++i) differing += slow[i] != fast[i];
        EXPECT_EQ(differing, 0u) << what;
        // A frame of a single colour would prove nothing.
        size_t lit = 0;
        for (unsigned char byte : fast) lit += byte > 40;
        EXPECT_GT(lit, fast.size() / 100) << what;
    }
};

TEST_F(PixelIdentity, DawnNoonDuskAndNightInTheChaseView) {
    expectSameFrameAt(1500, "dawn, stars and moon fading");
    expectSameFrameAt(19600, "noon, shadows straight down");
    expectSameFrameAt(36000, "dusk, long shadows");
    expectSameFrameAt(50000, "night");
}

TEST_F(PixelIdentity, RideViewHeadlightsOverlayAndShadowsOff) {
    gameKeyboard('1', 0, 0);
    gameKeyboard('h', 0, 0);
    expectSameFrameAt(2000, "ride view at dawn with headlights");
    gameKeyboard('s', 0, 0);
    expectSameFrameAt(12000, "ride view with the shadow overlay");
    gameKeyboard('2', 0, 0);
    gameKeyboard('x', 0, 0);
    expectSameFrameAt(15000, "chase view, shadows off, blank overlay");
}

// The shadow pass leaves out objects whose silhouettes cannot reach a quad
// the frame draws. Over a day's sun heights and the headings of a steady
// turn, every drawn quad must get the very value it gets from all objects,
// and the pass must indeed leave some out.
TEST_F(PixelIdentity, ShadowsOfTheDrawnQuadsDoNotDependOnObjectsOutOfReach) {
    const uint32_t width = world.terrain->getWidth(), depth = world.terrain->getDepth();
    size_t quadsCompared = 0, valuesLeftOut = 0;
    for (int32_t gameMs = 1500; gameMs < 39000; gameMs += 1500) {
        playUntil(gameMs);
        glLoadIdentity();
        world.camera->apply();
        const ViewVolume view = ViewVolume::current();
        glLoadIdentity();
        const float* all = shadowPass();
        const std::vector<float> everyObject(all, all + size_t{width} * depth);
        const VisibleQuads* drawn = world.terrain->quadsToDraw(&view);
        ASSERT_NE(drawn, nullptr);
        const float* inReach = shadowPass(drawn);

        std::vector<bool> isDrawn(width * depth, false);
        for (int run = 0; run < drawn->runCount(); ++run) {
            const int first = drawn->firstVertices()[run] / VisibleQuads::verticesPerQuad;
            const int count = drawn->vertexCounts()[run] / VisibleQuads::verticesPerQuad;
            for (int q = first; q < first + count; ++q) {
                const uint32_t x = q % (width - 1), z = q / (width - 1);
                const size_t cell = size_t{width - 1 - x} * depth + (depth - 1 - z);
                isDrawn[cell] = true;
                ++quadsCompared;
                ASSERT_EQ(inReach[cell], everyObject[cell]) << "quad " << x << "," << z << " at " << gameMs << " ms";
            }
        }
        for (size_t cell = 0; cell < isDrawn.size(); ++cell)
            valuesLeftOut += !isDrawn[cell] && inReach[cell] != everyObject[cell];
    }
    EXPECT_GT(quadsCompared, 10000u);
    EXPECT_GT(valuesLeftOut, 0u) << "no silhouette was ever left out";
}

}  // namespace
