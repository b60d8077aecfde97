#include "view/Camera.h"

#include <cmath>

#include "base/Pi.h"
#include "view/ViewMatrices.h"

namespace {
constexpr float chaseLead = 3.0f;     // aim this far ahead of the target
constexpr float chaseHeight = 12.0f;  // eye above the aim point
constexpr float chaseBack = 25.0f;    // eye towards -z from the aim point
constexpr float rideHeight = 2.0f;    // eye above the ridden object
}

CameraView chaseView(const Vector3& p, float headingDegrees) {
    const double heading = headingDegrees * pi / 180;
    const float aimX = static_cast<float>(p.x + chaseLead * std::sin(heading));
    const float aimZ = static_cast<float>(p.z + chaseLead * std::cos(heading));
    CameraView view;
    view.eye = {aimX, p.y + chaseHeight, aimZ - chaseBack};
    view.center = {aimX, p.y, aimZ};
    return view;
}

CameraView rideView(const Vector3& p, float headingDegrees) {
    // Turning the finished view points it along the direction of travel.
    CameraView view;
    view.turned = true;
    view.turnDegrees = -headingDegrees;
    view.eye = {p.x, p.y + rideHeight, p.z};
    view.center = {p.x, p.y + rideHeight, p.z + 1};
    return view;
}

Camera::Camera(float x, float y, float z) : eye{x, y, z}, center{x, y, z + 1} {}

void Camera::lookAt(float x, float y, float z) {
    center = {x, y, z};
    mode = ViewMode::free;
}

void Camera::moveEye(float dx, float dy, float dz) {
    eye = {eye.x + dx, eye.y + dy, eye.z + dz};
}

void Camera::move(float dx, float dy, float dz) {
    moveEye(dx, dy, dz);
    center = {eye.x, eye.y, eye.z + 1};
    mode = ViewMode::free;
}

bool Camera::currentView(CameraView& view) const {
    const Followed* target = nullptr;
    switch (mode) {
    case ViewMode::free:
        view = CameraView{};
        view.eye = eye;
        view.center = center;
        return true;
    case ViewMode::chase: target = &chaseTarget; break;
    case ViewMode::ride: target = &rideTarget; break;
    }
    if (!target || !target->object) return false;
    Vector3 position;
    float heading = 0;
    target->read(target->object, position, heading);
    view = mode == ViewMode::chase ? chaseView(position, heading) : rideView(position, heading);
    return true;
}

bool Camera::modelview(double out[16]) const {
    CameraView view;
    if (!currentView(view)) {
        identityMatrix(out);
        return false;
    }
    lookAtMatrix(view, out);
    return true;
}

ViewMatrices cameraViewMatrices(const Camera& camera) {
    ViewMatrices matrices;
    gameProjectionMatrix(matrices.projection);
    camera.modelview(matrices.modelview);
    return matrices;
}
