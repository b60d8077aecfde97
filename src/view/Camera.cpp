#include "view/Camera.h"

#include <GL/glu.h>

#include <cmath>

#include "platform/Pi.h"
#include "scene/Object.h"

namespace {
constexpr float chaseLead = 3.0f;     // aim this far ahead of the target
constexpr float chaseHeight = 12.0f;  // eye above the aim point
constexpr float chaseBack = 25.0f;    // eye towards -z from the aim point
constexpr float rideHeight = 2.0f;    // eye above the ridden object
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

void Camera::chase(const Object* target) {
    chaseTarget = target;
    mode = ViewMode::chase;
}

void Camera::ride(const Object* target) {
    rideTarget = target;
    mode = ViewMode::ride;
}

void Camera::apply() const {
    if (mode == ViewMode::free) {
        gluLookAt(eye.x, eye.y, eye.z, center.x, center.y, center.z, 0, 1, 0);
    } else if (mode == ViewMode::chase && chaseTarget) {
        Vector3 p = chaseTarget->getPosition();
        double heading = chaseTarget->getRotationY() * pi / 180;
        float aimX = static_cast<float>(p.x + chaseLead * std::sin(heading));
        float aimZ = static_cast<float>(p.z + chaseLead * std::cos(heading));
        gluLookAt(aimX, p.y + chaseHeight, aimZ - chaseBack, aimX, p.y, aimZ, 0, 1, 0);
    } else if (mode == ViewMode::ride && rideTarget) {
        Vector3 p = rideTarget->getPosition();
        // Turning the finished view points it along the direction of travel.
        glRotatef(-rideTarget->getRotationY(), 0, 1, 0);
        gluLookAt(p.x, p.y + rideHeight, p.z, p.x, p.y + rideHeight, p.z + 1, 0, 1, 0);
    }
}
