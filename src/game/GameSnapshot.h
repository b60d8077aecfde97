#pragma once
#include "base/ViewMode.h"
#include "base/Vector3.h"

// What a finished game hands back to its caller and what a resumed game takes
// over. Nothing else survives a game: no score, trees, orbs or time of day.
struct GameSnapshot {
    Vector3 position{};    // vehicle position, world units
    Vector3 rotation{};    // vehicle rotation, degrees
    ViewMode cameraMode = ViewMode::chase;  // the chase or the ride view
};
