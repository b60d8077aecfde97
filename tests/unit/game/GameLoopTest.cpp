// Whole games in this process: runGame enters the real GLUT main loop, and
// timer callbacks play the player's part.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <tuple>

#include "shadow/ShadowPicture.h"
#include "game/GameScreen.h"
#include "game/GameWorld.h"
#include "lighting/LightSlots.h"
#include "scene/Object.h"
#include "support/GeneratedAssets.h"
#include "terrain/Terrain.h"
#include "texture/Texture.h"
#include "view/Camera.h"

namespace {

void (*duringGame)() = nullptr;  // what the "player" does once the game runs

void playThenQuit(int) {
    if (duringGame) duringGame();
    gameKeyboard('q', 0, 0);  // leaves the game; does not return
}

void playGame(GameSnapshot* snapshot, bool newGame, void (*play)()) {
    duringGame = play;
    glutTimerFunc(100, playThenQuit, 0);
    runGame(snapshot, newGame);
}

TEST(GameLoop, AResumedGameKeepsTheVehicleAndViewButStartsEverythingElseAfresh) {
    InGeneratedAssets assets;
    // A known world whose trees and orbs stand clear of x 52..76, z 56..100,
    // so that nothing is hit where the vehicle is put and the score stays 0.
    setenv("BRELLOW_SEED", "18", 1);
    // The console is not captured here: a failed check inside the game
    // reports on it.
    GameSnapshot snapshot;
    playGame(&snapshot, true, [] {
        GameWorld& world = gameBeingPlayed()->world;
        world.scene.vehicle->setPosition(64, 9, 80);
        world.scene.vehicle->setRotation(3, 123, -4);
        gameKeyboard('1', 0, 0);
        world.score = 35;
        world.orbCollected[0] = true;
        world.sunAngle = 2.5f;
    });
    EXPECT_EQ(std::tuple(snapshot.position.x, snapshot.position.z, snapshot.rotation.y, snapshot.cameraMode),
              std::tuple(64.0f, 80.0f, 123.0f, ViewMode::ride));
    EXPECT_EQ(gameBeingPlayed(), nullptr);
    EXPECT_EQ(freeLightSlotCount(), lightSlotCount);

    playGame(&snapshot, false, [] {
        // The height taken over as it was, not re-fitted to the terrain.
        const GameWorld& world = gameBeingPlayed()->world;
        const Object& vehicle = *world.scene.vehicle;
        EXPECT_EQ(std::tuple(vehicle.getPosition().x, vehicle.getPosition().y, vehicle.getRotationY(), world.cameraMode,
                             world.scene.camera->getMode()),
                  std::tuple(64.0f, 9.0f, 123.0f, ViewMode::ride, ViewMode::ride));
        EXPECT_EQ(std::tuple(world.score, world.orbCollected[0]), std::tuple(0, false));
        EXPECT_LT(world.sunAngle, 0.5f);
    });
    unsetenv("BRELLOW_SEED");
    EXPECT_EQ(Texture::cachedFileCount(), 0u);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST(GameLoop, ANewGameWithoutASnapshotRestoresAndWritesNothing) {
    InGeneratedAssets assets;
    testing::internal::CaptureStdout();
    playGame(nullptr, false, [] {
        const GameWorld& world = gameBeingPlayed()->world;
        // The passes of the game being played draw on their own too.
        EXPECT_EQ(shadowPass().width(), world.scene.terrain->getWidth());
        skyPass();
        EXPECT_EQ(readShadowGrid(30, 30).width(), 10u);
        const Vector3 p = world.scene.vehicle->getPosition();
        EXPECT_EQ(std::tuple(p.x, p.z, world.cameraMode), std::tuple(64.0f, 64.0f, ViewMode::chase));
    });
    std::string output = testing::internal::GetCapturedStdout();
    EXPECT_EQ(output.find(" *** LOADING NEW TEXTURE Terrain.bmp"), std::string::npos);
    EXPECT_NE(output.find(" *** LOADING NEW MODEL HumVee.obj\n"), std::string::npos);
}

}  // namespace
