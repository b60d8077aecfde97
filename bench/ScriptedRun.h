#pragma once
// The benchmark's player: a clock that advances by a fixed step per frame and
// a left button held down while the pointer moves sideways by the same amount
// every frame, so that the vehicle drives a steady circle. When the pointer
// nears the window's edge, the player lifts the button, brings the pointer
// back to the other side and presses again, which does not steer. When night
// falls the player switches the headlights on ('h'), and off at sunrise, as
// players drive at night. Every run with the same step, turn and seed draws
// the same frames.
#include <cstdint>

struct GameWorld;

// One frame's input: the pointer dragged to (x, y), window pixels; with
// regrip, the button is lifted first, the pointer moved there without it and
// the button pressed again.
struct PointerDrag {
    int x;
    int y;
    bool regrip;
};

class ScriptedRun {
public:
    // Plays world through the game's input rules.
    ScriptedRun(GameWorld& world, double stepMs, int turnPixels);
    ~ScriptedRun();  // gives the game back its steady clock
    ScriptedRun(const ScriptedRun&) = delete;
    ScriptedRun& operator=(const ScriptedRun&) = delete;

    // Installs the clock and makes the next update's step a whole step. Needs
    // a built world.
    void start();
    // Where the pointer starts, with the button pressed there.
    int startX() const { return firstX; }
    int startY() const { return pointerY; }
    // Presses the button at the start by calling the game's input functions.
    void pressDirectly();

    // Moves the clock on by one frame and says where the pointer goes.
    PointerDrag step();
    // True once when night has fallen and once at sunrise: the player then
    // presses 'h'. Reads the sun of the world's last update.
    bool switchHeadlights();
    // step() and switchHeadlights(), handed to the game's input rules
    // directly; the next update sees them.
    void advance();

    // The game-clock reading after frame (0 = the reading start() sets).
    // Rounded to whole milliseconds; only differences matter.
    static int32_t clockAt(double stepMs, int64_t frame);

private:
    static int32_t readClock();

    static constexpr int firstX = 512;       // window pixels
    static constexpr int leftmostX = 24;     // the pointer stays between these, well inside
    static constexpr int rightmostX = 1000;  // the window

    GameWorld& world;
    double stepMs;
    int turnPixels;
    int pointerX = firstX;
    int pointerY = 384;
    bool night = false;  // as the player last saw the sun
};
