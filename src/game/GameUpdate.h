#pragma once
// The game's GLUT idle callback: one update of the world per pass of the main
// loop, everything moved in proportion to the time measured since the last.
#include <cstdint>

void gameIdle();

// The game's window shows again after being hidden: the next update takes
// the first step of a game (20 ms), so the time it was hidden moves nothing.
void gameShown();

// The update's step from two clock readings: their difference modulo 2^32,
// played up to 250 ms. A longer wait (the process stopped, a laptop
// suspended) is not played out: the player could neither see nor steer.
float playedStepMs(int32_t now, int32_t previous);

// How a step of driving is split so that no motion step is longer than the
// game tests collisions over: at most maxMotionStepMs and maxMotionStep
// world units each.
constexpr float maxMotionStepMs = 50;
constexpr float maxMotionStep = 0.5f;
struct MotionSteps {
    int count;       // at least 1
    float distance;  // world units each, along the heading (negative in reverse)
};
MotionSteps motionStepsFor(float stepMs, float speed);

// Points the sun and sets its strength for a time of day (radians). At night
// (angle >= pi) only sunHeight changes, to 0.
void setSunAngle(float angle);

// Scores the vehicle's collisions with standing trees and uncollected orbs.
void checkCollisions();
