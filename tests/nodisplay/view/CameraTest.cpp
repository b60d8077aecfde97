// The camera's views, checked through the matrix it works out for apply.
#include <gtest/gtest.h>

#include <array>
#include <memory>

#include "view/Camera.h"
#include "view/ViewMatrices.h"

namespace {

// What the camera reads of the game's Object, set the same way.
struct Target {
    Vector3 position{};
    float heading = 0;
    void setPosition(float x, float y, float z) { position = {x, y, z}; }
    void setRotationY(float degrees) { heading = degrees; }
    Vector3 getPosition() const { return position; }
    float getRotationY() const { return heading; }
};

void expectSameMatrix(const Camera& camera, const std::array<double, 16>& expected) {
    double actual[16];
    camera.modelview(actual);
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(actual[i], expected[i], 1e-4) << "element " << i;
}

// The camera's view is gluLookAt's from the eye towards the centre, up +y.
void expectLooksFrom(const Camera& camera, double ex, double ey, double ez, double cx, double cy, double cz) {
    std::array<double, 16> expected;
    lookAtMatrix({false, 0, {float(ex), float(ey), float(ez)}, {float(cx), float(cy), float(cz)}}, expected.data());
    expectSameMatrix(camera, expected);
}

class CameraTest : public testing::Test {
protected:
    std::unique_ptr<Target> target = std::make_unique<Target>();
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
    double view[16];
    camera.modelview(view);
    // The eye sits 2 above the target; a point ahead along +x lies straight
    // ahead on the view axis (eye space -z), at eye z: (0, 0, eyeZ) in eye space.
    for (auto [x, eyeZ] : {std::pair{10.0f, 0.0f}, {15.0f, -5.0f}})
        for (int row = 0; row < 3; ++row)
            EXPECT_NEAR(view[row] * x + view[4 + row] * 3 + view[8 + row] * 20 + view[12 + row], row == 2 ? eyeZ : 0,
                        1e-4) << x << ", row " << row;
}

TEST_F(CameraTest, ChaseOrRideWithoutATargetDoesNothing) {
    camera.chase(nullptr);
    const std::array<double, 16> identity{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    expectSameMatrix(camera, identity);
    camera.ride(nullptr);
    expectSameMatrix(camera, identity);
}

}  // namespace
