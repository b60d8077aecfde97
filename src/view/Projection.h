#pragma once
// The game's perspective: 45 degrees of vertical field, the window's 4:3
// shape, and everything from 1 to 1000 units in front of the eye.
constexpr double fieldOfViewDegrees = 45;
constexpr float aspectRatio = 4.0f / 3.0f;
constexpr double nearPlane = 1;
constexpr double farPlane = 1000;

// Replaces the projection matrix with the game's perspective and leaves the
// modelview matrix current.
void loadGameProjection();
