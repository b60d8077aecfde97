// The camera's views, checked through the matrix GL holds after apply.
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cstdio>
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

class CameraTest : public testing::Test {
protected:
    void SetUp() override {
        FILE* file = std::fopen("models/Box.obj", "w");
        std::fputs("v 1 0 0\nv 0 1 0\nv 0 0 1\nf 1 2 3\n", file);
        std::fclose(file);
        testing::internal::CaptureStdout();
        target = std::make_unique<Object>("Box.obj");
        testing::internal::GetCapturedStdout();
        target->setModelRotationY(-90);
    }
    TempWorkDir dir;
    std::unique_ptr<Object> target;
};

TEST_F(CameraTest, FreeCameraLooksAlongZFromItsEye) {
    Camera camera(0, 0, 0);
    expectSameMatrix(modelviewAfter([&] { camera.apply(); }),
                     modelviewAfter([] { gluLookAt(0, 0, 0, 0, 0, 1, 0, 1, 0); }));
    camera.move(1, 2, 3);
    expectSameMatrix(modelviewAfter([&] { camera.apply(); }),
                     modelviewAfter([] { gluLookAt(1, 2, 3, 1, 2, 4, 0, 1, 0); }));
    // lookAt turns a chasing camera back to free, towards the new point.
    camera.chase(target.get());
    camera.lookAt(7, 0, -5);
    EXPECT_EQ(camera.getMode(), CameraMode::free);
    expectSameMatrix(modelviewAfter([&] { camera.apply(); }),
                     modelviewAfter([] { gluLookAt(1, 2, 3, 7, 0, -5, 0, 1, 0); }));
}

TEST_F(CameraTest, ChaseViewStaysBehindAlongMinusZAndAimsAhead) {
    Camera camera(0, 0, 0);
    camera.chase(target.get());
    target->setPosition(64, 3, 64);
    expectSameMatrix(modelviewAfter([&] { camera.apply(); }),
                     modelviewAfter([] { gluLookAt(64, 15, 42, 64, 3, 67, 0, 1, 0); }));

    // Turned by 90 degrees, the aim point moves 3 units towards +x and the
    // view direction stays the same.
    target->setRotationY(90);
    expectSameMatrix(modelviewAfter([&] { camera.apply(); }),
                     modelviewAfter([] { gluLookAt(67, 15, 39, 67, 3, 64, 0, 1, 0); }));

    // moveEye changes nothing visible in chase mode.
    camera.moveEye(5, 5, 5);
    EXPECT_EQ(camera.getMode(), CameraMode::chase);
    expectSameMatrix(modelviewAfter([&] { camera.apply(); }),
                     modelviewAfter([] { gluLookAt(67, 15, 39, 67, 3, 64, 0, 1, 0); }));
}

TEST_F(CameraTest, RideViewLooksAlongTheDirectionOfTravel) {
    Camera camera(0, 0, 0);
    camera.ride(target.get());
    target->setPosition(10, 1, 20);
    target->setRotationY(90);
    std::array<float, 16> view = modelviewAfter([&] { camera.apply(); });
    // The eye sits 2 above the target; a point ahead along +x lies straight
    // ahead on the view axis (eye space -z).
    auto toEye = [&](float x, float y, float z) {
        return std::array<float, 3>{view[0] * x + view[4] * y + view[8] * z + view[12],
                                    view[1] * x + view[5] * y + view[9] * z + view[13],
                                    view[2] * x + view[6] * y + view[10] * z + view[14]};
    };
    std::array<float, 3> eye = toEye(10, 3, 20);
    EXPECT_NEAR(eye[0], 0, 1e-4);
    EXPECT_NEAR(eye[1], 0, 1e-4);
    EXPECT_NEAR(eye[2], 0, 1e-4);
    std::array<float, 3> ahead = toEye(15, 3, 20);
    EXPECT_NEAR(ahead[0], 0, 1e-4);
    EXPECT_NEAR(ahead[1], 0, 1e-4);
    EXPECT_NEAR(ahead[2], -5, 1e-4);

    // The vehicle moves the same way.
    target->moveForward(5);
    EXPECT_NEAR(target->getPosition().x, 15, 1e-4);
    EXPECT_NEAR(target->getPosition().z, 20, 1e-4);
}

TEST_F(CameraTest, ChaseOrRideWithoutATargetDoesNothing) {
    Camera camera(0, 0, 0);
    camera.chase(nullptr);
    std::array<float, 16> identity = modelviewAfter([] {});
    expectSameMatrix(modelviewAfter([&] { camera.apply(); }), identity);
    camera.ride(nullptr);
    expectSameMatrix(modelviewAfter([&] { camera.apply(); }), identity);
}

}  // namespace
