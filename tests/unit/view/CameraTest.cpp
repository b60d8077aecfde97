// The camera's views, checked through the matrix GL holds after apply.
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <memory>

#include "scene/Object.h"
#include "support/TempWorkDir.h"
#include "view/Camera.h"

namespace {

std::array<float, 16> modelviewAfter(const std::function<void()>& transform) {
    std::array<float, 16> matrix{};
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    transform();
    glGetFloatv(GL_MODELVIEW_MATRIX, matrix.data());
    glPopMatrix();
    return matrix;
}

void expectSameMatrix(const std::array<float, 16>& actual, const std::array<float, 16>& expected) {
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(actual[i], expected[i], 1e-4) << "element " << i;
}

// The camera's view is gluLookAt's from the eye towards the centre, up +y.
void expectLooksFrom(const Camera& camera, double ex, double ey, double ez, double cx, double cy, double cz) {
    expectSameMatrix(modelviewAfter([&] { camera.apply(); }),
                     modelviewAfter([&] { gluLookAt(ex, ey, ez, cx, cy, cz, 0, 1, 0); }));
}

class CameraTest : public testing::Test {
protected:
    void SetUp() override {
        dir.writeFile("models/Box.obj", "v 1 0 0\nv 0 1 0\nv 0 0 1\nf 1 2 3\n");
        testing::internal::CaptureStdout();
        target = std::make_unique<Object>("Box.obj");
        testing::internal::GetCapturedStdout();
        target->setModelRotationY(-90);
    }
    TempWorkDir dir;
    std::unique_ptr<Object> target;
    Camera camera{0, 0, 0};
};

TEST_F(CameraTest, FreeCameraLooksAlongZFromItsEye) {
    expectLooksFrom(camera, 0, 0, 0, 0, 0, 1);
    camera.move(1, 2, 3);
    expectLooksFrom(camera, 1, 2, 3, 1, 2, 4);
    // lookAt turns a chasing camera back to free, towards the new point.
    camera.chase(target.get());
    camera.lookAt(7, 0, -5);
    EXPECT_EQ(camera.getMode(), CameraMode::free);
    expectLooksFrom(camera, 1, 2, 3, 7, 0, -5);
}

TEST_F(CameraTest, ChaseViewStaysBehindAlongMinusZAndAimsAhead) {
    camera.chase(target.get());
    target->setPosition(64, 3, 64);
    expectLooksFrom(camera, 64, 15, 42, 64, 3, 67);

    // Turned by 90 degrees, the aim point moves 3 units towards +x and the
    // view direction stays the same.
    target->setRotationY(90);
    expectLooksFrom(camera, 67, 15, 39, 67, 3, 64);

    // moveEye changes nothing visible in chase mode.
    camera.moveEye(5, 5, 5);
    EXPECT_EQ(camera.getMode(), CameraMode::chase);
    expectLooksFrom(camera, 67, 15, 39, 67, 3, 64);
}

TEST_F(CameraTest, RideViewLooksAlongTheDirectionOfTravel) {
    camera.ride(target.get());
    target->setPosition(10, 1, 20);
    target->setRotationY(90);
    std::array<float, 16> view = modelviewAfter([&] { camera.apply(); });
    // The eye sits 2 above the target; a point ahead along +x lies straight
    // ahead on the view axis (eye space -z), at eye z: (0, 0, eyeZ) in eye space.
    for (auto [x, eyeZ] : {std::pair{10.0f, 0.0f}, {15.0f, -5.0f}})
        for (int row = 0; row < 3; ++row)
            EXPECT_NEAR(view[row] * x + view[4 + row] * 3 + view[8 + row] * 20 + view[12 + row], row == 2 ? eyeZ : 0,
                        1e-4) << x << ", row " << row;

    // The vehicle moves the same way.
    target->moveForward(5);
    EXPECT_NEAR(target->getPosition().x, 15, 1e-4);
    EXPECT_NEAR(target->getPosition().z, 20, 1e-4);
}

TEST_F(CameraTest, ChaseOrRideWithoutATargetDoesNothing) {
    camera.chase(nullptr);
    std::array<float, 16> identity = modelviewAfter([] {});
    expectSameMatrix(modelviewAfter([&] { camera.apply(); }), identity);
    camera.ride(nullptr);
    expectSameMatrix(modelviewAfter([&] { camera.apply(); }), identity);
}

}  // namespace
