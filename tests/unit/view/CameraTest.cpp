// The camera's views, checked through the matrix GL holds after apply, and
// the matrices worked out on the processor held against GL's own.
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <functional>
#include <memory>

#include "scene/Object.h"
#include "support/TempWorkDir.h"
#include "view/Camera.h"
#include "view/Projection.h"
#include "view/ViewMatrices.h"

namespace {

std::array<float, 16> matrixAfter(const std::function<void()>& transform, GLenum stack = GL_MODELVIEW) {
    std::array<float, 16> matrix{};
    glMatrixMode(stack);
    glPushMatrix();
    glLoadIdentity();
    transform();
    glGetFloatv(stack == GL_MODELVIEW ? GL_MODELVIEW_MATRIX : GL_PROJECTION_MATRIX, matrix.data());
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    return matrix;
}

void expectSameMatrix(const std::array<float, 16>& actual, const std::array<float, 16>& expected) {
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(actual[i], expected[i], 1e-4) << "element " << i;
}

// The camera's view is gluLookAt's from the eye towards the centre, up +y.
void expectLooksFrom(const Camera& camera, double ex, double ey, double ez, double cx, double cy, double cz) {
    expectSameMatrix(matrixAfter([&] { camera.apply(); }),
                     matrixAfter([&] { gluLookAt(ex, ey, ez, cx, cy, cz, 0, 1, 0); }));
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
    EXPECT_EQ(camera.getMode(), ViewMode::free);
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
    EXPECT_EQ(camera.getMode(), ViewMode::chase);
    expectLooksFrom(camera, 67, 15, 39, 67, 3, 64);
}

TEST_F(CameraTest, RideViewLooksAlongTheDirectionOfTravel) {
    camera.ride(target.get());
    target->setPosition(10, 1, 20);
    target->setRotationY(90);
    std::array<float, 16> view = matrixAfter([&] { camera.apply(); });
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
    std::array<float, 16> identity = matrixAfter([] {});
    expectSameMatrix(matrixAfter([&] { camera.apply(); }), identity);
    camera.ride(nullptr);
    expectSameMatrix(matrixAfter([&] { camera.apply(); }), identity);
}

// GL keeps floats: the processor's doubles agree to float rounding, which in
// the translation grows with the distance of the eye from the origin.
TEST_F(CameraTest, TheProcessorsMatricesAreGlsOwn) {
    double projection[16], modelview[16];
    gameProjectionMatrix(projection);
    const auto perspective =
        matrixAfter([] { gluPerspective(fieldOfViewDegrees, aspectRatio, nearPlane, farPlane); }, GL_PROJECTION);
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(projection[i], perspective[i], 1e-6 * (1 + std::fabs(projection[i])));

    const int viewport[4] = {0, 0, 1024, 768};
    auto expectGlsOwn = [&](const Camera& camera, const char* view, float heading) {
        camera.modelview(modelview);
        const auto applied = matrixAfter([&] { camera.apply(); });
        const double reach = 1 + std::hypot(applied[12], applied[13], applied[14]);
        for (int i = 0; i < 16; ++i)
            EXPECT_NEAR(modelview[i], applied[i], 1e-6 * (i < 12 ? 1 : reach))
                << view << " view, heading " << heading << ", element " << i;
        // Window points back in the world, as gluUnProject finds them.
        for (auto [x, y, depth] : {std::array{0.0, 0.0, 0.0}, {1024, 768, 1}, {300.5, 700.25, 0.5}}) {
            double world[3], glu[3];
            ASSERT_TRUE(unProject(x, y, depth, modelview, projection, viewport, world));
            ASSERT_TRUE(gluUnProject(x, y, depth, modelview, projection, viewport, &glu[0], &glu[1], &glu[2]));
            for (int i = 0; i < 3; ++i) EXPECT_NEAR(world[i], glu[i], 1e-6 * (1 + std::fabs(glu[i]))) << view;
        }
    };
    for (Vector3 at : {Vector3{0, 0, 0}, {64, 3, 64}, {900, 40, -750}})
        for (float heading : {0.0f, 90.0f, 180.0f, -37.5f, 400.0f, -1000.0f, 7236.5f}) {
            target->setPosition(at.x, at.y, at.z);
            target->setRotationY(heading);
            camera.chase(target.get());
            expectGlsOwn(camera, "chase", heading);
            camera.ride(target.get());
            expectGlsOwn(camera, "ride", heading);
            Camera free(at.x - heading / 100, at.y + 5, at.z - 10);
            free.lookAt(at.x, at.y, at.z + heading / 50);
            expectGlsOwn(free, "free", heading);
        }
    camera.ride(nullptr);  // apply() does nothing: the identity
    expectGlsOwn(camera, "no", 0);
}

}  // namespace
