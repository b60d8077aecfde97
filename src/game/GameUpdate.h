#pragma once
// The game's rules over time: one update of the world per pass of the main
// loop, everything moved in proportion to the step measured since the last.
// Plain arithmetic on GameWorld: no GL, no clock of its own.
#include <cstdint>

struct GameWorld;

// The step of the update that runs at clock reading now (milliseconds): 20 ms
// for a game's first update (and the first after the window showed again),
// else the time since the previous update, played up to 250 ms. Records now
// as that update's reading.
float takeStepMs(GameWorld& world, int32_t now);

// One update: the time of day and the sun, collected orbs shrinking, felled
// trees falling, driving while the left button is down, scoring and the
// frame-rate count.
void updateWorld(GameWorld& world, float stepMs);

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

// Points the sun and sets its strength for a time of day (radians): by day
// sunHeight and sunStrength become sin(angle) and towardsSun (cos, sin, 0),
// rising along +x. At night (angle >= pi) only sunHeight changes, to 0.
void setSunAngle(GameWorld& world, float angle);

// Scores the vehicle's collisions with standing trees and uncollected orbs.
void checkCollisions(GameWorld& world);
