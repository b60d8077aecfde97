// Lights against the real GL context: the slot table, and what each
// operation leaves in GL's light state, read back with glGetLightfv.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <vector>

#include "platform/FatalError.h"
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

GLfloat lightValue(int slot, GLenum name) {
    GLfloat value = -9;
    glGetLightfv(GL_LIGHT0 + slot, name, &value);
    return value;
}

bool lightOn(int slot) { return glIsEnabled(GL_LIGHT0 + slot) == GL_TRUE; }

// Every test starts with no light alive, finds the GL light state as the
// test before left it, and leaves it as it found it.
class Lights : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(freeLightSlotCount(), lightSlotCount) << "a light outlived an earlier test";
        glLoadIdentity();
        for (int slot = 0; slot < lightSlotCount; ++slot) {
            glLightfv(GL_LIGHT0 + slot, GL_AMBIENT, marker.data());
            glLightfv(GL_LIGHT0 + slot, GL_DIFFUSE, marker.data());
            glLightfv(GL_LIGHT0 + slot, GL_SPECULAR, marker.data());
            glDisable(GL_LIGHT0 + slot);
        }
    }

    void TearDown() override { EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)); }

    GlStateGuard guard;
};

TEST_F(Lights, EightTakeTheSlotsInOrderAndTheNinthFails) {
    std::vector<std::unique_ptr<DirectionalLight>> suns;
    std::vector<std::unique_ptr<SpotLight>> spots;
    for (int i = 0; i < 8; ++i) {
        int slot;
        if (i % 2 == 0) {
            suns.push_back(std::make_unique<DirectionalLight>());
            slot = suns.back()->getSlot();
        } else {
            spots.push_back(std::make_unique<SpotLight>());
            slot = spots.back()->getSlot();
        }
        EXPECT_EQ(slot, i);
        EXPECT_TRUE(lightOn(i));
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
    EXPECT_FALSE(lightOn(1));
    EXPECT_FALSE(isLightSlotTaken(1));
    EXPECT_TRUE(lightOn(2));

    SpotLight again;
    EXPECT_EQ(again.getSlot(), 1);
    EXPECT_TRUE(lightOn(1));
    SpotLight next;
    EXPECT_EQ(next.getSlot(), 3);
}

TEST_F(Lights, ConstructionSwitchesOnAndLeavesTheAmbientOfSlotZeroAlone) {
    DirectionalLight sun;
    SpotLight headlight;
    EXPECT_TRUE(sun.isEnabled());
    EXPECT_TRUE(lightOn(0));
    EXPECT_EQ(lightVector(0, GL_DIFFUSE), white);
    EXPECT_EQ(lightVector(0, GL_SPECULAR), white);
    EXPECT_EQ(lightVector(0, GL_AMBIENT), marker);

    EXPECT_TRUE(lightOn(1));
    EXPECT_EQ(lightVector(1, GL_AMBIENT), onAmbient);
    EXPECT_EQ(lightVector(1, GL_DIFFUSE), white);
    EXPECT_EQ(lightVector(1, GL_SPECULAR), white);
}

TEST_F(Lights, DisableKeepsSlotZeroEnabledButSwitchesOtherSlotsOff) {
    DirectionalLight sun;
    SpotLight left, right;
    sun.disable();
    right.disable();

    EXPECT_FALSE(sun.isEnabled());
    EXPECT_TRUE(lightOn(0));
    EXPECT_EQ(lightVector(0, GL_DIFFUSE), black);
    EXPECT_EQ(lightVector(0, GL_SPECULAR), black);
    EXPECT_EQ(lightVector(0, GL_AMBIENT), marker);

    EXPECT_FALSE(right.isEnabled());
    EXPECT_FALSE(lightOn(2));
    EXPECT_EQ(lightVector(2, GL_AMBIENT), black);
    EXPECT_EQ(lightVector(2, GL_DIFFUSE), black);
    EXPECT_EQ(lightVector(2, GL_SPECULAR), black);

    EXPECT_TRUE(lightOn(1));
    EXPECT_EQ(lightVector(1, GL_DIFFUSE), white);
}

TEST_F(Lights, EnableRestoresWhiteAndTheOnAmbientExceptInSlotZero) {
    DirectionalLight sun;
    SpotLight headlight;
    sun.disable();
    headlight.disable();
    sun.enable();
    headlight.enable();

    EXPECT_TRUE(sun.isEnabled());
    EXPECT_EQ(lightVector(0, GL_DIFFUSE), white);
    EXPECT_EQ(lightVector(0, GL_SPECULAR), white);
    EXPECT_EQ(lightVector(0, GL_AMBIENT), marker);

    EXPECT_TRUE(headlight.isEnabled());
    EXPECT_TRUE(lightOn(1));
    EXPECT_EQ(lightVector(1, GL_AMBIENT), onAmbient);
    EXPECT_EQ(lightVector(1, GL_DIFFUSE), white);
}

TEST_F(Lights, SetIntensityDimsOnlyASwitchedOnLightAndIsNotKept) {
    DirectionalLight sun;
    SpotLight headlight;
    headlight.disable();

    sun.setIntensity(0.5f);
    headlight.setIntensity(0.5f);
    const Rgba half = {0.5f, 0.5f, 0.5f, 1};
    EXPECT_EQ(lightVector(0, GL_DIFFUSE), half);
    EXPECT_EQ(lightVector(0, GL_SPECULAR), half);
    EXPECT_EQ(lightVector(1, GL_DIFFUSE), black);
    EXPECT_EQ(lightVector(1, GL_SPECULAR), black);
    EXPECT_FALSE(lightOn(1));

    sun.disable();
    sun.enable();
    EXPECT_EQ(lightVector(0, GL_DIFFUSE), white);
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

    float x, y, z;
    sun.getPosition(x, y, z);
    EXPECT_EQ(z, 7.0f);
    sun.getDirection(x, y, z);
    EXPECT_EQ(y, 1.0f);
}

TEST_F(Lights, SpotApplySendsEverythingThroughTheCurrentModelview) {
    SpotLight headlight;
    headlight.setPosition(1.0f, 0.5f, 1.8f);
    headlight.setDirection(0, 0, 1);

    // A vehicle standing at x = 10, turned 90 degrees about y.
    glTranslatef(10, 0, 0);
    glRotatef(90, 0, 1, 0);
    headlight.apply();
    Rgba position = lightVector(0, GL_POSITION);
    EXPECT_NEAR(position[0], 11.8f, 1e-5);
    EXPECT_NEAR(position[1], 0.5f, 1e-5);
    EXPECT_NEAR(position[2], -1.0f, 1e-5);
    EXPECT_EQ(position[3], 1.0f);
    Rgba direction = lightVector(0, GL_SPOT_DIRECTION);
    EXPECT_NEAR(direction[0], 1.0f, 1e-5);
    EXPECT_NEAR(direction[2], 0.0f, 1e-5);
    EXPECT_EQ(lightValue(0, GL_CONSTANT_ATTENUATION), 0.0f);
    EXPECT_EQ(lightValue(0, GL_LINEAR_ATTENUATION), 0.05f);
    EXPECT_EQ(lightValue(0, GL_QUADRATIC_ATTENUATION), 0.01f);
    EXPECT_EQ(lightValue(0, GL_SPOT_CUTOFF), 30.0f);
    EXPECT_EQ(lightValue(0, GL_SPOT_EXPONENT), 0.5f);

    // Setters only store; the next apply sends them.
    headlight.setAttenuation(1.0f, 0.25f, 0.125f);
    headlight.setCutoff(45.0f);
    headlight.setExponent(2.0f);
    EXPECT_EQ(lightValue(0, GL_SPOT_CUTOFF), 30.0f);
    glLoadIdentity();
    headlight.apply();
    EXPECT_EQ(lightVector(0, GL_POSITION), (Rgba{1.0f, 0.5f, 1.8f, 1.0f}));
    EXPECT_EQ(lightValue(0, GL_CONSTANT_ATTENUATION), 1.0f);
    EXPECT_EQ(lightValue(0, GL_LINEAR_ATTENUATION), 0.25f);
    EXPECT_EQ(lightValue(0, GL_QUADRATIC_ATTENUATION), 0.125f);
    EXPECT_EQ(lightValue(0, GL_SPOT_CUTOFF), 45.0f);
    EXPECT_EQ(lightValue(0, GL_SPOT_EXPONENT), 2.0f);

    headlight.disable();
    headlight.setCutoff(10.0f);
    headlight.apply();
    EXPECT_EQ(lightValue(0, GL_SPOT_CUTOFF), 45.0f);
}

}  // namespace
