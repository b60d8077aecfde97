#include "ScriptedRun.h"

#include <cmath>

#include "base/Pi.h"
#include "game/GameClock.h"
#include "game/GameInput.h"
#include "game/GameWorld.h"

namespace {
// The clock is a plain function pointer, so its state lives here.
double clockStepMs = 0;
int64_t clockFrame = 0;
constexpr int32_t clockOrigin = 1000000;  // any reading but 0, which means "no update yet"
}  // namespace

ScriptedRun::ScriptedRun(GameWorld& world, double stepMs, int turnPixels)
    : world(world), stepMs(stepMs), turnPixels(turnPixels) {}

ScriptedRun::~ScriptedRun() { setGameClock(nullptr); }

int32_t ScriptedRun::clockAt(double stepMs, int64_t frame) {
    const int64_t ms = std::llround(static_cast<double>(frame) * stepMs);
    return static_cast<int32_t>(static_cast<uint32_t>(clockOrigin + ms));
}

int32_t ScriptedRun::readClock() { return clockAt(clockStepMs, clockFrame); }

void ScriptedRun::start() {
    clockStepMs = stepMs;
    clockFrame = 0;
    setGameClock(readClock);
    world.lastFrameMs = readClock();
}

void ScriptedRun::pressDirectly() {
    movePointer(world, pointerX, pointerY);
    pressMouseButton(world, true, true, pointerX, pointerY);
}

PointerDrag ScriptedRun::step() {
    ++clockFrame;
    pointerX -= turnPixels;  // dragging left turns left; the speed stays as built
    if (pointerX >= leftmostX && pointerX <= rightmostX) return {pointerX, pointerY, false};
    pointerX = pointerX < leftmostX ? rightmostX : leftmostX;
    return {pointerX, pointerY, true};
}

bool ScriptedRun::switchHeadlights() {
    const bool nightNow = world.sunAngle > pi;
    if (nightNow == night) return false;
    night = nightNow;
    return true;
}

void ScriptedRun::advance() {
    if (switchHeadlights()) pressKey(world, 'h');
    const PointerDrag drag = step();
    if (drag.regrip) {
        pressMouseButton(world, true, false, drag.x, drag.y);
        movePointer(world, drag.x, drag.y);
        pressMouseButton(world, true, true, drag.x, drag.y);
    } else {
        dragPointer(world, drag.x, drag.y);
    }
}
