#pragma once
// The viewing transform of a frame. Free mode looks from eye to center; chase
// mode follows a target from 12 units above and 25 behind along -z, never
// turning with it; ride mode sits 2 units above a target and looks along its
// direction of travel. The camera borrows its targets.
//
// A target is the scene's Object, but the camera reads nothing of it beyond
// its position and heading (rotation about y, degrees), at every apply(). So
// the views are computed from plain positions and angles (chaseView,
// rideView) and the camera needs no definition of Object.
#include <cstddef>

#include "base/Vector3.h"
#include "base/ViewMode.h"
#include "view/ViewMatrices.h"

// The chase view of a target at position with heading degrees: aimed 3 units
// ahead of it, the eye 12 above and 25 towards -z from the aim point.
CameraView chaseView(const Vector3& position, float headingDegrees);
// The ride view: the eye 2 units above the target, looking along its heading.
CameraView rideView(const Vector3& position, float headingDegrees);


class Camera {
public:
    Camera(float x, float y, float z);  // free mode, looking along +z

    void lookAt(float x, float y, float z);        // free mode, new look-at point
    void moveEye(float dx, float dy, float dz);    // eye only; mode unchanged
    void move(float dx, float dy, float dz);       // free mode, looking along +z
    // Chase or ride target: anything with getPosition() and getRotationY()
    // (the game's Object), or none. Each mode keeps its own target.
    template <class Target>
    void chase(const Target* target) {
        setTarget(chaseTarget, follow(target), ViewMode::chase);
    }
    template <class Target>
    void ride(const Target* target) {
        setTarget(rideTarget, follow(target), ViewMode::ride);
    }
    void chase(std::nullptr_t) { setTarget(chaseTarget, {}, ViewMode::chase); }
    void ride(std::nullptr_t) { setTarget(rideTarget, {}, ViewMode::ride); }

    // The view of the current mode; false in chase or ride mode without a target.
    bool currentView(CameraView& view) const;
    // Multiplies the current GL matrix by the view of the current mode. In
    // chase or ride mode without a target it does nothing.
    void apply() const;
    // The view of the current mode as the matrix apply() leaves of an
    // identity matrix: the identity, and false, without a view.
    bool modelview(double out[16]) const;

    ViewMode getMode() const { return mode; }

private:
    // A borrowed target and the one way to read its place.
    struct Followed {
        const void* object = nullptr;
        void (*read)(const void* object, Vector3& position, float& heading) = nullptr;
    };
    template <class Target>
    static Followed follow(const Target* target) {
        return {target, [](const void* object, Vector3& position, float& heading) {
                    const Target& followed = *static_cast<const Target*>(object);
                    position = followed.getPosition();
                    heading = followed.getRotationY();
                }};
    }

    void setTarget(Followed& target, const Followed& followed, ViewMode newMode) {
        target = followed;
        mode = newMode;
    }

    Vector3 eye;
    Vector3 center;
    Followed chaseTarget;
    Followed rideTarget;
    ViewMode mode = ViewMode::free;
};

// The game's projection and the camera's current transform.
ViewMatrices cameraViewMatrices(const Camera& camera);
