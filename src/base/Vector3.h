#pragma once

// A position, a rotation in degrees, a direction or a camera point.
struct Vector3 {
    float x;
    float y;
    float z;
};
