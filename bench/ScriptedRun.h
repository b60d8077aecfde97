#pragma once
// The benchmark's player: a clock that advances by a fixed step per frame and
// a left button held down while the pointer moves sideways by the same amount
// every frame, so that the vehicle drives a steady circle. Every run with the
// same step, turn and seed draws the same frames.
#include <cstdint>

class ScriptedRun {
public:
    ScriptedRun(double stepMs, int turnPixels);
    ~ScriptedRun();  // gives the game back its steady clock
    ScriptedRun(const ScriptedRun&) = delete;
    ScriptedRun& operator=(const ScriptedRun&) = delete;

    // Installs the clock, makes the next update's step a whole step and
    // presses the left button. Needs a built world.
    void start();

    // Moves the clock and the pointer on by one frame; the next gameIdle
    // sees them.
    void advance();

    // The game-clock reading after frame (0 = the reading start() sets).
    // Rounded to whole milliseconds; only differences matter.
    static int32_t clockAt(double stepMs, int64_t frame);

private:
    static int32_t readClock();

    double stepMs;
    int turnPixels;
    int pointerX = 512;  // window pixels
    int pointerY = 384;
};
