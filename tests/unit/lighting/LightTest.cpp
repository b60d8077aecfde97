// Lights against the real GL context: the slot table, and what each
// operation leaves in GL's light state, read back with glGetLightfv.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <tuple>
#include <vector>

#include "base/FatalError.h"
#include "frame/FrameLights.h"
#include "frame/FrameView.h"
#include "lighting/DirectionalLight.h"
#include "lighting/LightSlots.h"
#include "lighting/SpotLight.h"
#include "support/Expect.h"
#include "support/GlStateGuard.h"

namespace {

using Rgba = std::array<GLfloat, 4>;

const Rgba black = {0, 0, 0, 1};
const Rgba white = {1, 1, 1, 1};
const Rgba onAmbient = {0.3f, 0.3f, 0.3f, 1};
const Rgba marker = {0.1f, 0.2f, 0.4f, 1};  // a value no light operation writes

Rgba lightVector(int slot, GLenum name) {
    Rgba value = {-9, -9, -9, -9};
    glGetLightfv(GL_LIGHT0 + slot, name, value.data());
    return value;
}

bool lightOn(int slot) { return glIsEnabled(GL_LIGHT0 + slot) == GL_TRUE; }

// What GL holds for a slot: switched on, ambient, diffuse and specular.
struct SlotState {
    bool on;
    Rgba ambient, diffuse, specular;
};

void expectSlot(int slot, const SlotState& expected, const char* after) {
    EXPECT_EQ(lightOn(slot), expected.on) << after << ", slot " << slot;
    EXPECT_EQ(lightVector(slot, GL_AMBIENT), expected.ambient) << after << ", slot " << slot;
    EXPECT_EQ(lightVector(slot, GL_DIFFUSE), expected.diffuse) << after << ", slot " << slot;
    EXPECT_EQ(lightVector(slot, GL_SPECULAR), expected.specular) << after << ", slot " << slot;
}

// Every test starts with no light alive, finds the GL light state as the
// test before left it, and leaves it as it found it.
class Lights : public GlTest {
protected:
    void SetUp() override {
        ASSERT_EQ(freeLightSlotCount(), lightSlotCount) << "a light outlived an earlier test";
        glLoadIdentity();
        for (int slot = 0; slot < lightSlotCount; ++slot) {
            for (GLenum name : {GL_AMBIENT, GL_DIFFUSE, GL_SPECULAR}) glLightfv(GL_LIGHT0 + slot, name, marker.data());
            glDisable(GL_LIGHT0 + slot);
        }
    }
};

TEST_F(Lights, EightTakeTheSlotsInOrderAndTheNinthFails) {
    std::vector<std::unique_ptr<DirectionalLight>> suns;
    std::vector<std::unique_ptr<SpotLight>> spots;
    for (int i = 0; i < 8; ++i) {
        const int slot = i % 2 ? spots.emplace_back(std::make_unique<SpotLight>())->getSlot()
                               : suns.emplace_back(std::make_unique<DirectionalLight>())->getSlot();
        EXPECT_EQ(std::pair(slot, lightOn(i)), std::pair(i, true));
    }
    EXPECT_EQ(freeLightSlotCount(), 0);
    expectFatal([] { SpotLight ninth; }, "Too many lights!");
    EXPECT_THROW(std::make_unique<DirectionalLight>(), FatalError);
    EXPECT_EQ(freeLightSlotCount(), 0);

    suns.clear();
    spots.clear();
    EXPECT_EQ(freeLightSlotCount(), 8);
    for (int slot = 0; slot < 8; ++slot) EXPECT_FALSE(lightOn(slot));
}

TEST_F(Lights, AFreedSlotIsTakenAgainLowestFirst) {
    DirectionalLight sun;
    auto left = std::make_unique<SpotLight>();
    auto right = std::make_unique<SpotLight>();
    ASSERT_EQ(left->getSlot(), 1);
    ASSERT_EQ(right->getSlot(), 2);

    left.reset();
    EXPECT_EQ(std::tuple(lightOn(1), isLightSlotTaken(1), lightOn(2)), std::tuple(false, false, true));

    SpotLight again;
    EXPECT_EQ(std::pair(again.getSlot(), lightOn(1)), std::pair(1, true));
    SpotLight next;
    EXPECT_EQ(next.getSlot(), 3);
}

// A sun in slot 0 and a headlight in slot 1 after each operation on both,
// while a light in slot 2 stays on untouched. Slot 0 stays switched on and
// keeps the ambient GL had; an intensity is not kept past disable().
TEST_F(Lights, EachOperationLeavesItsColoursInItsOwnSlot) {
    const Rgba half = {0.5f, 0.5f, 0.5f, 1};
    const SlotState sunOn{true, marker, white, white}, sunOff{true, marker, black, black};
    const SlotState spotOn{true, onAmbient, white, white}, spotOff{false, black, black, black};
    struct Step {
        const char* what;
        void (*operation)(Light&);
        bool enabled;
        SlotState sun, headlight;
    };
    const Step steps[] = {
        {"construction", [](Light&) {}, true, sunOn, spotOn},
        {"setIntensity", [](Light& l) { l.setIntensity(0.5f); }, true, {true, marker, half, half},
         {true, onAmbient, half, half}},
        {"disable", [](Light& l) { l.disable(); }, false, sunOff, spotOff},
        {"setIntensity while off", [](Light& l) { l.setIntensity(0.5f); }, false, sunOff, spotOff},
        {"enable", [](Light& l) { l.enable(); }, true, sunOn, spotOn},
    };
    DirectionalLight sun;
    SpotLight headlight, bystander;
    for (const Step& step : steps) {
        step.operation(sun);
        step.operation(headlight);
        EXPECT_TRUE(sun.isEnabled() == step.enabled && headlight.isEnabled() == step.enabled) << step.what;
        expectSlot(0, step.sun, step.what);
        expectSlot(1, step.headlight, step.what);
        expectSlot(2, spotOn, step.what);
    }
}

TEST_F(Lights, DirectionalApplySendsTheDirectionAtInfinity) {
    DirectionalLight sun;
    sun.setPosition(5, 6, 7);
    sun.setDirection(1, 0, 0);
    sun.apply();
    EXPECT_EQ(lightVector(0, GL_POSITION), (Rgba{1, 0, 0, 0}));

    // Switched off, apply sends nothing: GL keeps the last direction.
    sun.disable();
    sun.setDirection(0, 1, 0);
    sun.apply();
    EXPECT_EQ(lightVector(0, GL_POSITION), (Rgba{1, 0, 0, 0}));
}

// A spot's constant, linear and quadratic attenuation, cutoff and exponent.
using SpotShape = std::array<GLfloat, 5>;
SpotShape spotShape(int slot) {
    SpotShape shape;
    int i = 0;
    for (GLenum name : {GL_CONSTANT_ATTENUATION, GL_LINEAR_ATTENUATION, GL_QUADRATIC_ATTENUATION,
                        GL_SPOT_CUTOFF, GL_SPOT_EXPONENT})
        glGetLightfv(GL_LIGHT0 + slot, name, &shape[i++]);
    return shape;
}

TEST_F(Lights, SpotApplySendsEverythingThroughTheCurrentModelview) {
    SpotLight headlight;
    headlight.setPosition(1.0f, 0.5f, 1.8f);
    headlight.setDirection(0, 0, 1);

    // A vehicle standing at x = 10, turned 90 degrees about y.
    glTranslatef(10, 0, 0);
    glRotatef(90, 0, 1, 0);
    headlight.apply();
    const Rgba position = lightVector(0, GL_POSITION), direction = lightVector(0, GL_SPOT_DIRECTION);
    const Rgba expectedPosition = {11.8f, 0.5f, -1.0f, 1.0f}, expectedDirection = {1, 0, 0};
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(position[i], expectedPosition[i], 1e-5) << i;
        EXPECT_NEAR(direction[i], expectedDirection[i], 1e-5) << i;
    }
    EXPECT_EQ(position[3], 1.0f);
    const SpotShape defaults = {0.0f, 0.05f, 0.01f, 30.0f, 0.5f};
    EXPECT_EQ(spotShape(0), defaults);

    // Setters only store; the next apply sends them.
    headlight.setAttenuation(1.0f, 0.25f, 0.125f);
    headlight.setCutoff(45.0f);
    headlight.setExponent(2.0f);
    EXPECT_EQ(spotShape(0), defaults);
    glLoadIdentity();
    headlight.apply();
    EXPECT_EQ(lightVector(0, GL_POSITION), (Rgba{1.0f, 0.5f, 1.8f, 1.0f}));
    const SpotShape set = {1.0f, 0.25f, 0.125f, 45.0f, 2.0f};
    EXPECT_EQ(spotShape(0), set);

    headlight.disable();
    headlight.setCutoff(10.0f);
    headlight.apply();
    EXPECT_EQ(spotShape(0), set);
}

// The frame's view pass sends the record's values: the sun in the first slot,
// on and dimmed to its strength or off through the night; the headlights on
// or off together.
TEST_F(Lights, TheFrameSwitchesAndDimsItsLightsAsTheRecordSays) {
    FrameLights lights;
    lights.make();
    FrameView frame{};
    const Rgba half = {0.5f, 0.5f, 0.5f, 1};
    for (auto [sunOn, headlightsOn] : {std::pair{true, false}, {false, true}, {true, true}}) {
        frame.sunOn = sunOn, frame.sunStrength = 0.5f, frame.headlightsOn = headlightsOn;
        lights.send(frame);
        const char* after = sunOn ? (headlightsOn ? "both on" : "sun on") : "headlights on";
        expectSlot(0, {true, marker, sunOn ? half : black, sunOn ? half : black}, after);
        for (int slot : {1, 2})
            expectSlot(slot, {headlightsOn, headlightsOn ? onAmbient : black, headlightsOn ? white : black,
                              headlightsOn ? white : black}, after);
    }
    lights.release();
}

}  // namespace
