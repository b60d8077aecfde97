// Whole games give back everything they take: once runGame returns, every
// texture name and display list the game made is deleted, every light slot
// is free and switched off, and the caches are empty, game after game.
// (scripts/leakcheck.sh runs the two-game case under valgrind as well.)
#define GL_GLEXT_PROTOTYPES  // glIsBuffer (OpenGL 1.5)
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <set>

#include "game/GameInput.h"
#include "game/GameScreen.h"
#include "frame/FrameMemory.h"
#include "game/GameWorld.h"
#include "lighting/LightSlots.h"
#include "scene/ModelCache.h"
#include "support/GeneratedAssets.h"
#include "texture/Texture.h"

namespace {

// Mesa hands out the lowest free names, so every name a game can hold lies
// far below this bound.
constexpr GLuint highestProbedName = 1 << 14;

struct GlNames {
    std::set<GLuint> textures;
    std::set<GLuint> lists;
    std::set<GLuint> buffers;
};

GlNames liveNames() {
    GlNames names;
    for (GLuint name = 1; name <= highestProbedName; ++name) {
        if (glIsTexture(name)) names.textures.insert(name);
        if (glIsList(name)) names.lists.insert(name);
        if (glIsBuffer(name)) names.buffers.insert(name);
    }
    return names;
}

// What one game held while it ran.
struct GameRecord {
    bool shadowPassRan = false;
    GlNames during;
    int slotsFreeDuring = 0;
};

GameRecord* recording = nullptr;
constexpr int pollMs = 20;
constexpr int maxPolls = 3000;

// The game's timer: switches the headlights and the shadow overlay on, so
// that every part of a frame is drawn, waits until the shadow pass has run
// (from the second frame on, once the sun has risen), then takes the game's
// measure and quits.
void recordThenQuit(int poll) {
    if (!recording) return;  // the game this timer was set for has ended
    if (poll == 0) {
        gameKeyboard('h', 0, 0);
        gameKeyboard('s', 0, 0);
    }
    recording->shadowPassRan = !gameBeingPlayed()->frame.shadowBuffers.shadowGrid.empty();
    if (!recording->shadowPassRan && poll < maxPolls) {
        glutTimerFunc(pollMs, recordThenQuit, poll + 1);
        return;
    }
    recording->during = liveNames();
    recording->slotsFreeDuring = freeLightSlotCount();
    gameKeyboard('q', 0, 0);  // leaves the game; does not return
}

GameRecord playOneGame() {
    GameRecord record;
    recording = &record;
    glutTimerFunc(pollMs, recordThenQuit, 0);
    testing::internal::CaptureStdout();  // the caches' progress lines
    runGame(nullptr, true);
    testing::internal::GetCapturedStdout();
    recording = nullptr;
    return record;
}

class ResourceBalance : public testing::Test {
protected:
    void TearDown() override { EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR)); }
    InGeneratedAssets assets;
};

TEST_F(ResourceBalance, TwoGamesInARowEachGiveBackEveryNameSlotAndCacheHold) {
    for (int game = 1; game <= 2; ++game) {
        SCOPED_TRACE("game " + std::to_string(game));
        const GlNames before = liveNames();
        const GameRecord record = playOneGame();
        const GlNames after = liveNames();
        EXPECT_TRUE(record.shadowPassRan);

        // At least Grass, Sky, Camo, Tree and the moon; the vehicle, tree and
        // orb lists (the frame code may compile more, such as silhouettes);
        // the terrain's batch, a buffer object the first frame makes.
        for (auto [names, made] : {std::pair{&GlNames::textures, 5u}, {&GlNames::lists, 3u}, {&GlNames::buffers, 1u}}) {
            EXPECT_GE((record.during.*names).size(), (before.*names).size() + made) << made;
            EXPECT_EQ(after.*names, before.*names) << made;
        }

        EXPECT_EQ(record.slotsFreeDuring, lightSlotCount - 3);  // the sun and two headlights
        EXPECT_EQ(freeLightSlotCount(), lightSlotCount);
        for (int slot = 0; slot < lightSlotCount; ++slot) EXPECT_FALSE(glIsEnabled(GL_LIGHT0 + slot)) << slot;
        EXPECT_EQ(Texture::cachedFileCount(), 0u);
        for (const char* model : {"HumVee.obj", "Tree.obj", internalSphereName})
            EXPECT_EQ(modelUseCount(model), 0) << model;
    }
}

}  // namespace
