#include "MainLoopRun.h"

#include <GL/glx.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <stdexcept>
#include <vector>

#include "PassProfiler.h"
#include "ScriptedRun.h"
#include "game/GameScreen.h"
#include "game/GameWorld.h"
#include "platform/FramePasses.h"
#include "scene/Object.h"

namespace {

// The run in progress, for the frame-pass listener, which is a plain function.
struct MainLoopPlay {
    ScriptedRun& script;
    Display* display;
    int originX, originY;  // the window's top-left corner on the screen
    int framesWanted;
    int framesDrawn = 0;
    int framesAfterQuit = 0;
    double lastSwapMs = 0;
    std::vector<double> frameMs;
};
MainLoopPlay* play = nullptr;

void movePointer(int x, int y) {
    XTestFakeMotionEvent(play->display, -1, play->originX + x, play->originY + y, CurrentTime);
}

void setButton(bool down) { XTestFakeButtonEvent(play->display, 1, down, CurrentTime); }

void typeKey(KeySym key) {
    const KeyCode code = XKeysymToKeycode(play->display, key);
    XTestFakeKeyEvent(play->display, code, True, CurrentTime);
    XTestFakeKeyEvent(play->display, code, False, CurrentTime);
}

// Frames the 'q' may take to arrive before the run gives up on its input.
constexpr int quitFramesAllowed = 300;

// After each buffer swap of the game: times the frame, then steps the clock
// and sends the next frame's input, or 'q' once enough frames were drawn.
void afterPass(FramePass pass) {
    if (pass != FramePass::swap) return;
    if (play->framesDrawn == play->framesWanted) {
        if (++play->framesAfterQuit == quitFramesAllowed) endGame();  // the input never arrives
        return;
    }
    const double now = nowMs();
    if (play->framesDrawn++ > 0) play->frameMs.push_back(now - play->lastSwapMs);
    play->lastSwapMs = now;
    if (play->framesDrawn == play->framesWanted) {
        typeKey(XK_q);
    } else {
        if (play->script.switchHeadlights()) typeKey(XK_h);
        const PointerDrag drag = play->script.step();
        if (drag.regrip) setButton(false);
        movePointer(drag.x, drag.y);
        if (drag.regrip) setButton(true);
    }
    XFlush(play->display);
}

}  // namespace

FrameSummary runThroughMainLoop(const BenchOptions& options, int frames, double& headingTurnedDegrees) {
    auto game = std::make_unique<GameScreen>();
    initWorld(game->world, options.seed);
    const float startHeading = game->world.scene.vehicle->getRotationY();
    ScriptedRun script(game->world, options.stepMs, options.turnPixels);
    script.start();

    Display* display = glXGetCurrentDisplay();
    int x = 0, y = 0;
    Window child;
    XTranslateCoordinates(display, glXGetCurrentDrawable(), DefaultRootWindow(display), 0, 0, &x, &y, &child);
    MainLoopPlay state{script, display, x, y, frames, 0, 0, 0, {}};
    play = &state;
    // Two moves, so the game sees the pointer arrive even where it already was.
    movePointer(script.startX() + 1, script.startY());
    movePointer(script.startX(), script.startY());
    setButton(true);
    XFlush(display);

    setFramePassListener(afterPass);
    playWorld(*game);  // until the 'q' arrives
    setFramePassListener(nullptr);
    setButton(false);
    XFlush(display);
    const bool quitByKey = state.framesAfterQuit < quitFramesAllowed;
    play = nullptr;
    if (!quitByKey) throw std::runtime_error("the game's window did not get the benchmark's X input");
    headingTurnedDegrees = game->leaving.rotation.y - startHeading;
    return summarizeFrames(state.frameMs);
}
