#pragma once
// The viewing transform of a frame. Free mode looks from eye to center; chase
// mode follows an Object from 12 units above and 25 behind along -z, never
// turning with it; ride mode sits 2 units above an Object and looks along its
// direction of travel. The camera borrows its targets.
#include "view/Vector3.h"

class Object;

// How the player sees the game: from behind and above the vehicle (chase),
// from its driver's seat (ride), or from a free eye (tests and tools).
enum class ViewMode { free, chase, ride };

class Camera {
public:

    Camera(float x, float y, float z);

    void lookAt(float x, float y, float z);        // free mode, new look-at point
    void moveEye(float dx, float dy, float dz);    // eye only; mode unchanged
    void move(float dx, float dy, float dz);       // free mode, looking along +z
    void chase(const Object* target);
    void ride(const Object* target);

    // Multiplies the current GL matrix by the view of the current mode. In chase
    // or ride mode without a target it does nothing.
    void apply() const;

    ViewMode getMode() const { return mode; }

private:
    Vector3 eye;
    Vector3 center;
    const Object* chaseTarget = nullptr;
    const Object* rideTarget = nullptr;
    ViewMode mode = ViewMode::free;
};
