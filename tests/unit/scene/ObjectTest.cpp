// Object placement, movement, collisions and drawing, checked against what
// GL actually transforms.
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <limits>
#include <tuple>
#include <vector>

#include "scene/Object.h"
#include "support/Expect.h"
#include "support/FeedbackCapture.h"
#include "support/GlStateGuard.h"
#include "support/TempWorkDir.h"
#include "support/TestPictures.h"
#include "terrain/Terrain.h"

namespace {

class ObjectTest : public GlTest {
protected:
    void SetUp() override {
        dir.writeFile("models/Triangle.obj", "v 1 0 0\nv 0 2 0\nv 0 0 3\nf 1 2 3\n");
        useOrthoView(-20, 20, -20, 20, -50, 50);
        glDisable(GL_CULL_FACE);
        testing::internal::CaptureStdout();
    }
    void TearDown() override { testing::internal::GetCapturedStdout(); GlTest::TearDown(); }
    // The window positions draw gives GL, read back through feedback, are
    // those of the triangle drawn by hand under the given transform calls.
    static void expectDrawnAs(const std::function<void()>& draw, const std::function<void()>& transform) {
        const std::vector<float> actual = captureFeedback(GL_3D, draw), expected = captureFeedback(GL_3D, [&] {
            glPushMatrix();
            transform();
            glBegin(GL_TRIANGLES), glVertex3f(1, 0, 0), glVertex3f(0, 2, 0), glVertex3f(0, 0, 3), glEnd();
            glPopMatrix();
        });
        ASSERT_EQ(actual.size(), expected.size());
        ASSERT_FALSE(actual.empty());
        for (size_t i = 0; i < actual.size(); ++i) EXPECT_NEAR(actual[i], expected[i], 0.01) << "at " << i;
    }
    TempWorkDir dir;
};

// Each drawn triangle lands where the triangle drawn by hand under the
// transform calls does: by default turned about x, then z, then y as GL sees
// it; in the tree order about y, then x, then z, which an order that is no
// permutation of 1, 2, 3 does not replace; and drawn with a matrix, for the
// shadows, with the same turns.
TEST_F(ObjectTest, DrawingTurnsInTheObjectsOrderWithOrWithoutAMatrix) {
    Object standard("Triangle.obj"), tree("Triangle.obj"), flattened("Triangle.obj");
    standard.setPosition(1, 2, 3);
    standard.setScale(2);
    standard.setRotation(10, 20, 30);
    standard.setModelRotation(0, -90, 0);
    expectDrawnAs([&] { standard.draw(); }, [] {
        glTranslatef(1, 2, 3), glScalef(2, 2, 2);
        glRotatef(10, 1, 0, 0), glRotatef(30, 0, 0, 1), glRotatef(20 - 90, 0, 1, 0);
    });

    tree.setRotation(40, 25, 5);
    tree.setRotationOrder(2, 1, 3);
    tree.setRotationOrder(1, 1, 3);
    tree.setRotationOrder(0, 1, 2);
    int x, y, z;
    tree.getRotationOrder(x, y, z);
    EXPECT_EQ(std::tuple(x, y, z), std::tuple(1, 0, 2));
    expectDrawnAs([&] { tree.draw(); }, [] { glRotatef(25, 0, 1, 0), glRotatef(40, 1, 0, 0), glRotatef(5, 0, 0, 1); });

    flattened.setPosition(2, 0, 0);
    flattened.setRotation(60, 15, 10);
    flattened.setModelRotation(5, -90, 0);
    const float flatten[16] = {1, 0, 0, 0, -0.5f, 0, -0.25f, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    expectDrawnAs([&] { flattened.draw(flatten); }, [&] {
        glTranslatef(2, 0, 0), glMultMatrixf(flatten);
        glRotatef(60 + 5, 1, 0, 0), glRotatef(10, 0, 0, 1), glRotatef(15 - 90, 0, 1, 0);
    });
}

TEST_F(ObjectTest, DrawingSetsTheObjectsWholeMaterial) {
    Object object("Triangle.obj");
    object.setAmbient(0.1f, 0.2f, 0.3f, 1);
    object.setDiffuse(0.4f, 0.5f, 0.6f, 1);
    object.setSpecular(0.7f, 0.8f, 0.9f, 1);
    object.setEmission(0.25f, 0.5f, 0.75f, 1);
    object.setShininess(12);
    auto expectMaterial = [](const char* how) {
        const std::pair<GLenum, std::array<float, 4>> expected[] = {{GL_AMBIENT, {0.1f, 0.2f, 0.3f, 1}},
                                                                     {GL_DIFFUSE, {0.4f, 0.5f, 0.6f, 1}},
                                                                     {GL_SPECULAR, {0.7f, 0.8f, 0.9f, 1}},
                                                                     {GL_EMISSION, {0.25f, 0.5f, 0.75f, 1}}};
        for (const auto& [parameter, colour] : expected) {
            std::array<float, 4> actual{};
            glGetMaterialfv(GL_FRONT, parameter, actual.data());
            EXPECT_EQ(actual, colour) << how << ", material " << parameter;
        }
        float shininess = 0;
        glGetMaterialfv(GL_BACK, GL_SHININESS, &shininess);
        EXPECT_EQ(shininess, 12) << how;
    };
    object.draw();
    expectMaterial("drawn");
}

TEST_F(ObjectTest, MovesForwardAlongItsHeading) {
    Object object("Triangle.obj");
    object.moveForward(2);
    EXPECT_NEAR(object.getPosition().x, 2, 1e-6);
    EXPECT_NEAR(object.getPosition().z, 0, 1e-6);

    // The vehicle's model faces +x, so its -90 correction drives it along +z.
    Object vehicle("Triangle.obj");
    vehicle.setModelRotationY(-90);
    vehicle.setPosition(5, 7, 5);
    vehicle.moveForward(3);
    EXPECT_NEAR(vehicle.getPosition().x, 5, 1e-5);
    EXPECT_NEAR(vehicle.getPosition().z, 8, 1e-5);
    EXPECT_EQ(vehicle.getPosition().y, 7);  // no terrain: the height stays

    // Headings are never wrapped.
    for (int i = 0; i < 40; ++i) vehicle.rotateY(10);
    EXPECT_EQ(vehicle.getRotationY(), 400);
    vehicle.setRotationY(90);  // turned to 90 degrees, it moves along +x as the ride view looks
    vehicle.moveForward(5);
    EXPECT_NEAR(vehicle.getPosition().x, 10, 1e-4);
    EXPECT_NEAR(vehicle.getPosition().z, 8, 1e-4);
}

TEST_F(ObjectTest, TouchingSpheresCollide) {
    Object a("Triangle.obj"), b("Triangle.obj");
    a.setRadius(1);
    b.setRadius(1);
    b.setScale(1.5f);
    b.setPosition(3, 4, 0);  // distance 5 from a at the origin
    EXPECT_FALSE(a.collidesWith(b));
    a.setScale(3.5f);  // 3.5 + 1.5 = 5: touching
    EXPECT_TRUE(a.collidesWith(b));
    EXPECT_TRUE(b.collidesWith(a));
}

TEST_F(ObjectTest, ClampingTurnsNanIntoTheMinimum) {
    Object object("Triangle.obj");
    const float nan = std::numeric_limits<float>::quiet_NaN();
    object.setPosition(nan, 50, -3);
    object.clampPosition(1.1f, 10, -9999, 20, 1.1f, 10);
    EXPECT_EQ(std::tuple(object.getPosition().x, object.getPosition().y, object.getPosition().z),
              std::tuple(1.1f, 20.0f, 1.1f));
}

TEST_F(ObjectTest, PlacementOnTerrainInterpolatesHeightAndTilt) {
    // One cell with heights 0, 0, 0 and 2 at its far corner (x = 3, z = 5).
    writeTestPicture("textures/Cell.bmp", 6, 8, [](uint32_t x, uint32_t z) {
        return Rgb{static_cast<uint8_t>(x == 3 && z == 5 ? 20 : 0), 0, 0};
    });
    Terrain terrain("Cell.bmp");
    Object object("Triangle.obj", nullptr, &terrain);
    object.setRotationY(33);
    object.setPositionOnTerrain(2.5f, 4.25f);
    EXPECT_NEAR(object.getPosition().y, 0.2464, 1e-3);
    EXPECT_NEAR(object.getRotationX(), -45, 1e-3);
    EXPECT_NEAR(object.getRotationZ(), 16.32, 1e-2);
    EXPECT_EQ(object.getRotationY(), 33);

    // On a grid point both tilts are 0 and the height is the point's plus 0.1.
    object.setPositionOnTerrain(3, 5);
    EXPECT_NEAR(object.getPosition().y, 2.1, 1e-5);
    EXPECT_EQ(std::pair(object.getRotationX(), object.getRotationZ()), std::pair(0.0f, 0.0f));
}

TEST_F(ObjectTest, CornersOutsideTheTerrainTakeTheNearestGridHeight) {
    writeSolidPicture("textures/Flat.bmp", 4, 4, Rgb{30, 0, 0});
    Terrain terrain("Flat.bmp");
    Object object("Triangle.obj", nullptr, &terrain);
    testing::internal::CaptureStderr();
    object.setPositionOnTerrain(-0.5f, 3.5f);
    std::string warnings = testing::internal::GetCapturedStderr();
    EXPECT_NE(warnings.find("WARNING: Attempted to read point out of bounds: 4294967295, 3"),
              std::string::npos);
    EXPECT_NEAR(object.getPosition().y, 3.1, 1e-5);
    EXPECT_EQ(object.getRotationX(), 0);
}

TEST_F(ObjectTest, PlacingWithoutATerrainIsFatal) {
    Object object("Triangle.obj");
    object.setPosition(1, 2, 3);
    expectFatal([&] { object.setPositionOnTerrain(4, 4); },
                "Called setPositionOnTerrain on an Object with no terrain!");
    EXPECT_EQ(object.getPosition().x, 1);
}

TEST_F(ObjectTest, MovingOnTerrainFollowsTheGround) {
    writeTestPicture("textures/Ramp.bmp", 8, 8, [](uint32_t x, uint32_t) {
        return Rgb{static_cast<uint8_t>(10 * x), 0, 0};
    });
    Terrain terrain("Ramp.bmp");
    Object object("Triangle.obj", nullptr, &terrain);
    object.setPositionOnTerrain(2, 3);
    object.moveForward(1.5f);  // heading 0: along +x up the ramp
    EXPECT_FLOAT_EQ(object.getPosition().x, 3.5f);
    EXPECT_NEAR(object.getPosition().y, 3.5 + 0.1, 1e-4);
    EXPECT_NEAR(object.getRotationZ(), 45, 1e-3);

    // A later Object of the model stands on the first one's terrain.
    Object later("Triangle.obj");
    later.setPositionOnTerrain(2, 3);
    EXPECT_NEAR(later.getPosition().y, 2 + 0.1, 1e-4);
}

}  // namespace
