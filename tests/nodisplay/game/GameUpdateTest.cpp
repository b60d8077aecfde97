// The game's update and input, stepped with a controlled clock in a world
// built from the generated assets, and the frame's record of that world: all
// without a display, as building a world and running the rules make no GL
// call.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <tuple>

#include "game/GameFrame.h"
#include "game/GameInput.h"
#include "game/GameUpdate.h"
#include "game/GameWorld.h"
#include "lighting/LightSlots.h"
#include "scene/Object.h"
#include "support/GeneratedAssets.h"
#include "terrain/Terrain.h"
#include "terrain/VisibleQuads.h"
#include "view/Camera.h"
#include "view/ViewMatrices.h"

namespace {

constexpr double pi = 3.14159265358979323846;

// A new game, its greeting kept off the test's output.
void newWorld(GameWorld& world, uint32_t seed = 1234) {
    testing::internal::CaptureStdout();
    initWorld(world, seed);
    testing::internal::GetCapturedStdout();
}

class GameUpdateTest : public testing::Test {
protected:
    void SetUp() override {
        newWorld(world);
        clockNow = 500000;
        world.lastFrameMs = 0;
        world.fps = 0;
        // Keep the trees and orbs away unless a test puts one in the way.
        for (const auto& tree : world.scene.trees) tree->setPosition(-50, 0, -50);
        for (const auto& orb : world.scene.orbs) orb->setPosition(-50, 0, -50);
    }
    void TearDown() override {
        releaseWorld(world);
        EXPECT_EQ(freeLightSlotCount(), lightSlotCount);
    }
    // One update at the clock's reading now.
    void update() { updateWorld(world, takeStepMs(world, clockNow)); }
    // One update after stepMs milliseconds.
    void step(int32_t stepMs) { clockNow += stepMs, update(); }
    void stepFor(int32_t totalMs, int32_t stepMs = 10) {
        for (int32_t t = 0; t < totalMs; t += stepMs) step(stepMs);
    }
    InGeneratedAssets assets;
    GameWorld world;
    int32_t clockNow = 0;
};

TEST_F(GameUpdateTest, TheFirstStepOfEveryGameIs20Ms) {
    update();
    EXPECT_FLOAT_EQ(world.sunAngle, 20 * 0.00008f);
    EXPECT_EQ(world.lastFrameMs, clockNow);
    step(200);
    EXPECT_FLOAT_EQ(world.sunAngle, 220 * 0.00008f);
    // A wait longer than a quarter of a second (the process stopped, say)
    // plays a quarter of a second; a window shown again after being hidden
    // takes a first step.
    step(30000);
    EXPECT_FLOAT_EQ(world.sunAngle, 470 * 0.00008f);
    world.updatedThisGame = false;  // the window showed again
    step(5000);
    EXPECT_FLOAT_EQ(world.sunAngle, 490 * 0.00008f);

    // A minute on the menu, then the next game: it starts at sunrise too.
    releaseWorld(world);
    newWorld(world);
    step(60000);
    EXPECT_FLOAT_EQ(world.sunAngle, 20 * 0.00008f);
}

// Only differences of readings count: a reading of 0 is as good as any, and
// the clock may pass 2^31 or wrap at 2^32 between two updates.
TEST_F(GameUpdateTest, StepsAreMeasuredAcrossAnyReadingOfTheClock) {
    // Readings around 0, then a new game across 2^31 (where int32 wraps).
    for (const std::vector<int32_t>& readings : {std::vector<int32_t>{-10, 0, 15}, {INT32_MAX - 4, INT32_MIN + 5}}) {
        releaseWorld(world);
        newWorld(world);
        int32_t previous = readings.front() - 20;  // the first step of a game is 20 ms
        for (int32_t reading : readings) {
            const float before = world.sunAngle;
            clockNow = reading;
            update();
            const float stepMs = static_cast<float>(static_cast<uint32_t>(reading) - static_cast<uint32_t>(previous));
            EXPECT_FLOAT_EQ(world.sunAngle - before, stepMs * 0.00008f) << "clock at " << reading;
            previous = reading;
        }
    }
}

TEST_F(GameUpdateTest, OnlyDraggingWithTheLeftButtonChangesSpeedAndHeading) {
    // A game's first press, far from where the pointer was last seen (0, 0):
    // a one-pixel drag turns by a quarter degree and leaves the speed.
    pressMouseButton(world, true, true, 500, 500);
    dragPointer(world, 501, 500);
    EXPECT_EQ(std::tuple(world.speed, world.scene.vehicle->getRotationY()), std::tuple(0.003f, -0.25f));
    pressMouseButton(world, true, false, 501, 500);
    world.scene.vehicle->setRotationY(0);

    // Another button only moves the remembered pointer.
    pressMouseButton(world, false, true, 100, 100);
    dragPointer(world, 30, 20);
    EXPECT_EQ(std::tuple(world.leftButtonDown, world.lastMouseX, world.lastMouseY, world.speed,
                         world.scene.vehicle->getRotationY()),
              std::tuple(false, 30, 20, 0.003f, 0.0f));
    pressMouseButton(world, false, false, 30, 20);

    pressMouseButton(world, true, true, 500, 500);
    dragPointer(world, 500, 400);  // 100 pixels up
    EXPECT_NEAR(world.speed, 0.008f, 1e-6);
    dragPointer(world, 460, 400);  // 40 pixels left: a turn counter-clockwise
    EXPECT_FLOAT_EQ(world.scene.vehicle->getRotationY(), 10);
    pressMouseButton(world, true, false, 460, 400);
    EXPECT_FALSE(world.leftButtonDown);
}

TEST_F(GameUpdateTest, TheVehicleDrivesThreeUnitsASecondAndStaysInsideTheTerrain) {
    Vector3 start = world.scene.vehicle->getPosition();
    stepFor(1000);  // button up: nothing moves
    EXPECT_EQ(world.scene.vehicle->getPosition().z, start.z);

    pressMouseButton(world, true, true, 0, 0);
    stepFor(1000);
    Vector3 moved = world.scene.vehicle->getPosition();
    EXPECT_NEAR(moved.z - start.z, 3.0, 1e-3);  // heading 0 drives along +z
    EXPECT_NEAR(moved.x, start.x, 1e-4);
    float ground = 0;
    world.scene.terrain->getHeight(static_cast<uint32_t>(moved.x), static_cast<uint32_t>(moved.z), ground);
    EXPECT_NEAR(moved.y, ground + 0.1, 1.0);

    stepFor(60000, 50);  // far past the edge
    EXPECT_FLOAT_EQ(world.scene.vehicle->getPosition().z, static_cast<float>(world.scene.terrain->getDepth() - 2.1));
    world.scene.vehicle->setRotationY(180);
    stepFor(60000, 50);
    EXPECT_FLOAT_EQ(world.scene.vehicle->getPosition().z, 1.1f);
}

TEST_F(GameUpdateTest, TheSunSetsAtPiAndRisesAgainAfterTwoPi) {
    step(0);
    world.sunAngle = static_cast<float>(pi / 2);
    step(0);
    EXPECT_FLOAT_EQ(world.sunHeight, 1.0f);
    EXPECT_NEAR(world.sunStrength, 1.0f, 1e-5);
    EXPECT_NEAR(world.towardsSun.y, 1.0, 1e-6);

    world.sunAngle = static_cast<float>(pi - 0.0001);
    step(10);
    EXPECT_GT(world.sunAngle, pi);
    EXPECT_EQ(std::tuple(world.sunHeight, world.sunOn), std::tuple(0.0f, false));

    world.sunAngle = static_cast<float>(2 * pi - 0.0001);
    step(200);  // wraps past 2 pi: sunrise, lit at once
    EXPECT_NEAR(world.sunAngle, 200 * 0.00008 - 0.0001, 1e-5);
    EXPECT_TRUE(world.sunOn);
    EXPECT_NEAR(world.sunHeight, std::sin(world.sunAngle), 1e-6);
    EXPECT_NEAR(world.sunStrength, world.sunHeight, 1e-5);
}

// However fast it drives and however long the wait, the vehicle touches
// what lies in its path, never reads the terrain outside its grid, and a tree
// it fells ends lying on the ground.
TEST_F(GameUpdateTest, NoStepOrSpeedCarriesTheVehicleThroughObjectsOrOffTheGrid) {
    step(0);
    Object& vehicle = *world.scene.vehicle;
    const Vector3 start = vehicle.getPosition();  // heading along +z
    world.scene.orbs[0]->setPosition(start.x, start.y, start.z + 10);
    world.scene.trees[0]->setPosition(start.x, start.y, start.z + 20);
    movePointer(world, 500, 700);
    pressMouseButton(world, true, true, 500, 700);
    for (int drag = 0; drag < 200; ++drag) dragPointer(world, 500, 0), movePointer(world, 500, 700);  // quick drags upwards
    EXPECT_FLOAT_EQ(world.speed, 0.1f);  // the speed has a top
    testing::internal::CaptureStderr();
    clockNow += 30000;  // 30 s stopped, then on at full speed
    update();
    stepFor(2000, 100);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << "terrain read outside the grid";
    // Both hit: +5 for the orb, -5 for the tree, which lies flat.
    EXPECT_EQ(std::tuple(world.orbCollected[0], world.treeFelled[0], world.score, world.scene.trees[0]->getRotationX()),
              std::tuple(true, true, 0, 90.0f));
    EXPECT_FLOAT_EQ(vehicle.getPosition().z, static_cast<float>(world.scene.terrain->getDepth() - 2.1));
}

TEST(MotionSteps, NoStepIsLongerThan50MsOrHalfAUnit) {
    for (auto [stepMs, speed, count] : {std::tuple{20.0f, 0.003f, 1}, {50.0f, 0.01f, 1}, {51.0f, 0.001f, 2},
                                        {250.0f, 0.1f, 50}, {20.0f, -0.1f, 4}, {0.0f, 0.1f, 1}}) {
        const MotionSteps steps = motionStepsFor(stepMs, speed);
        EXPECT_EQ(steps.count, count) << stepMs << " ms at " << speed;
        EXPECT_FLOAT_EQ(steps.distance * steps.count, stepMs * speed);
    }
}

TEST_F(GameUpdateTest, TouchingAnOrbScoresOnceTurnsItBlueAndShrinksIt) {
    step(0);
    Object& orb = *world.scene.orbs[3];
    const Vector3 p = world.scene.vehicle->getPosition();
    orb.setPosition(p.x, p.y, p.z + 1.5f);
    step(10);
    EXPECT_EQ(std::tuple(world.score, world.orbCollected[3], orb.getDiffuse()[2], orb.getAmbient()[2],
                         orb.getAmbient()[0]),
              std::tuple(5, true, 0.6f, 0.3f, 0.0f));
    stepFor(200);
    EXPECT_NEAR(orb.getScale(), 0.6f, 0.03f);
    stepFor(100);
    EXPECT_NEAR(orb.getScale(), 0.4f, 1e-5);  // 300 ms, up to float rounding
    step(10);
    EXPECT_EQ(orb.getScale(), 0.4f);
    EXPECT_EQ(world.score, 5);  // never scores again
}

// Also at a heading past a full turn (427 degrees): hit and scored once.
TEST_F(GameUpdateTest, DrivingIntoATreeCostsFiveOnceAndFellsItAlongTheHeading) {
    step(0);
    for (auto [tree, heading] : {std::pair{7, 30.0f}, {0, 427.0f}}) {
        SCOPED_TRACE(heading);
        world.scene.vehicle->setRotationY(heading);
        Vector3 p = world.scene.vehicle->getPosition();
        world.scene.trees[tree]->setPosition(p.x, p.y, p.z);
        const int before = world.score;
        step(10);
        EXPECT_EQ(world.score, before - 5);
        EXPECT_EQ(world.treeFallYaw[tree], heading);
        stepFor(180);
        EXPECT_GE(world.scene.trees[tree]->getRotationX(), 90);
        EXPECT_LT(world.scene.trees[tree]->getRotationX(), 96);
        EXPECT_EQ(world.scene.trees[tree]->getRotationY(), heading);
        EXPECT_EQ(world.score, before - 5);
    }
}

TEST_F(GameUpdateTest, FrameRateStaysZeroUntilASecondHasGathered) {
    for (int i = 0; i < 50; ++i) ++world.framesCounted, step(20);  // counted as the display would
    EXPECT_EQ(world.fps, 0);  // 20 + 49 x 20 = 1000 ms is not above a second
    ++world.framesCounted;
    step(20);
    EXPECT_EQ(world.fps, 50);  // 51 frames drawn over 1020 ms
}

// After each key: ride view, headlights, shadows and overlay ('s' shows it);
// upper-case letters and other digits change nothing.
TEST_F(GameUpdateTest, KeysSwitchViewHeadlightsShadowsAndOverlay) {
    const std::tuple<unsigned char, bool, bool, bool, bool> steps[] = {
        {'1', true, false, true, false},   {'2', false, false, true, false}, {'h', false, true, true, false},
        {'h', false, false, true, false},  {'s', false, false, true, true},   {'x', false, false, false, true},
        {'Q', false, false, false, true},  {'H', false, false, false, true}, {'S', false, false, false, true},
        {'X', false, false, false, true},  {'3', false, false, false, true},
    };
    for (auto [key, ride, headlights, shadows, overlay] : steps) {
        pressKey(world, key);
        const ViewMode view = ride ? ViewMode::ride : ViewMode::chase;
        EXPECT_EQ(std::tuple(world.cameraMode, world.scene.camera->getMode(), world.headlightsOn, world.shadowsOn,
                             world.showOverlay),
                  std::tuple(view, view, headlights, shadows, overlay))
            << key;
    }
}

// The frame's record takes the camera's matrices and the sun as the rules
// left them, and the vehicle only in the chase view: from the ride seat the
// eye sits inside it.
TEST_F(GameUpdateTest, TheFrameRecordShowsTheVehicleOnlyInTheChaseView) {
    world.sunAngle = 1.0f;
    step(0);
    VisibleQuads quads;
    for (unsigned char key : {'1', '2', 'x'}) {
        pressKey(world, key);
        const FrameView frame = makeFrameView(world, quads);
        const ViewMatrices camera = cameraViewMatrices(*world.scene.camera);
        EXPECT_TRUE(std::equal(std::begin(frame.projection), std::end(frame.projection), camera.projection) &&
                    std::equal(std::begin(frame.modelview), std::end(frame.modelview), camera.modelview));
        const Object* vehicle = key == '1' ? nullptr : world.scene.vehicle.get();
        EXPECT_EQ(std::tuple(frame.viewMode, frame.vehicle, frame.shadowed, frame.sunAngle, frame.sunHeight,
                             frame.towardsSun.y, frame.quads->runs().empty()),
                  std::tuple(world.cameraMode, vehicle, key != 'x', world.sunAngle, world.sunHeight,
                             world.towardsSun.y, false))
            << key;
    }
}

TEST(GameWorldSetup, TheSameSeedPlacesTreesAndOrbsIdenticallyInsideTheTerrain) {
    InGeneratedAssets assets;
    GameWorld world;
    std::vector<float> first;
    for (int round = 0; round < 2; ++round) {
        newWorld(world, 99);
        std::vector<float> placed;
        auto place = [&placed, &world](const auto& objects) {
            for (const auto& object : objects) {
                const Vector3 p = object->getPosition();
                EXPECT_TRUE(p.x >= 0 && p.x < world.scene.terrain->getWidth() && p.z >= 0 &&
                            p.z < world.scene.terrain->getDepth())
                    << p.x << ", " << p.z;
                placed.insert(placed.end(), {p.x, p.y, p.z});
            }
        };
        place(world.scene.trees);
        place(world.scene.orbs);
        if (round == 0) first = placed;
        releaseWorld(world);
        EXPECT_EQ(placed, first);
    }
}

// BRELLOW_SEED takes a whole number from 0 to 4294967295; anything else is
// no seed (the game then warns and takes the time).
TEST(Seed, OnlyWholeNumbersFrom0To4294967295AreSeeds) {
    const std::pair<const char*, int64_t> cases[] = {
        {"0", 0}, {"18", 18}, {"4294967295", 4294967295}, {"0042", 42},
        {"", -1}, {"abc", -1}, {"0x10", -1}, {"-1", -1}, {"4294967296", -1}, {"99999999999", -1},
        {" 5", -1}, {"5 ", -1}, {"1e3", -1}, {"+7", -1},
    };
    for (const auto& [text, expected] : cases) {
        uint32_t seed = 12345;
        EXPECT_EQ(parseSeed(text, seed), expected >= 0) << '"' << text << '"';
        EXPECT_EQ(seed, expected >= 0 ? static_cast<uint32_t>(expected) : 12345u) << '"' << text << '"';
    }
}

}  // namespace
