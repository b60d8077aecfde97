// The matrices the camera and the game's projection work out on the
// processor, held against GL's own.
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <functional>
#include <memory>

#include "scene/Object.h"
#include "support/GlStateGuard.h"
#include "support/TempWorkDir.h"
#include "view/Camera.h"
#include "view/Projection.h"
#include "view/ViewMatrices.h"

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

class CameraTest : public GlTest {
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

// GL keeps floats: the processor's doubles agree to float rounding, which in
// the translation grows with the eye's distance from the origin.
TEST_F(CameraTest, TheProcessorsMatricesAreGlsOwn) {
    double projection[16], perspective[16], modelview[16], world[3], glu[3];
    gameProjectionMatrix(projection);
    loadGameProjection();
    glGetDoublev(GL_PROJECTION_MATRIX, perspective);
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(projection[i], perspective[i], 1e-6 * (1 + std::fabs(projection[i])));

    const int viewport[4] = {0, 0, 1024, 768};
    Camera ride(0, 0, 0), free(-5, 10, -20), none(0, 0, 0);
    camera.chase(target.get());
    ride.ride(target.get());
    none.ride(nullptr);  // apply() does nothing: the identity
    for (Vector3 at : {Vector3{0, 0, 0}, {64, 3, 64}, {900, 40, -750}})
        for (float heading : {0.0f, 90.0f, 180.0f, -37.5f, 400.0f, -1000.0f, 7236.5f}) {
            target->setPosition(at.x, at.y, at.z);
            target->setRotationY(heading);
            free.lookAt(at.x + heading / 100, at.y, at.z);
            for (auto [view, name] : {std::pair<const Camera*, const char*>{&camera, "chase"}, {&ride, "ride"},
                                      {&free, "free"}, {&none, "none"}}) {
                view->modelview(modelview);
                const auto gl = modelviewAfter([&] { view->apply(); });
                const double reach = 1 + std::hypot(gl[12], gl[13], gl[14]);
                for (int i = 0; i < 16; ++i)
                    EXPECT_NEAR(modelview[i], gl[i], 1e-6 * (i < 12 ? 1 : reach)) << name << ' ' << heading << ' ' << i;
                // Window points back in the world, as gluUnProject finds them.
                for (auto [x, y, depth] : {std::array{0.0, 0.0, 0.0}, {1024, 768, 1}, {300.5, 700.25, 0.5}}) {
                    ASSERT_TRUE(unProject(x, y, depth, modelview, projection, viewport, world) &&
                                gluUnProject(x, y, depth, modelview, projection, viewport, &glu[0], &glu[1], &glu[2]));
                    for (int i = 0; i < 3; ++i) EXPECT_NEAR(world[i], glu[i], 1e-6 * (1 + std::fabs(glu[i]))) << name;
                }
            }
        }
}

}  // namespace
