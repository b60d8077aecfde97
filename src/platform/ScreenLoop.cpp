#include "platform/ScreenLoop.h"

#include <GL/freeglut.h>

#include <chrono>
#include <exception>

#include "platform/HeapUpkeep.h"

namespace {
const ScreenExit* activeScreen = nullptr;    // the screen whose loop is running
std::exception_ptr callbackError;      // thrown by a callback, not yet rethrown
void (*screenIdle)() = nullptr;        // the running screen's own idle callback

// Each pass of the loop runs the screen's idle callback, then looks after the
// process's heap by the time that has really passed.
void idlePass() {
    using Clock = std::chrono::steady_clock;
    static Clock::time_point last = Clock::now();
    screenIdle();
    const Clock::time_point now = Clock::now();
    upkeepHeap(std::chrono::duration<float, std::milli>(now - last).count());
    last = now;
}
}

void enterScreenLoop(const ScreenExit& exit) {
    const ScreenExit* outer = activeScreen;
    activeScreen = &exit;
    exit.running = true;
    // leaveScreen jumps back to this point with running cleared, so the loop
    // is entered exactly once.
    setjmp(exit.returnPoint);
    if (exit.running) glutMainLoop();
    activeScreen = outer;
    if (callbackError) {
        std::exception_ptr error = callbackError;
        callbackError = nullptr;
        std::rethrow_exception(error);
    }
}

namespace {
void withdrawInputCallbacks() {
    glutMouseFunc(nullptr);
    glutKeyboardFunc(nullptr);
    glutMotionFunc(nullptr);
    glutPassiveMotionFunc(nullptr);
    glutIdleFunc(nullptr);
}
}  // namespace

void runScreen(const ScreenExit& exit, const ScreenCallbacks& callbacks) {
    glutDisplayFunc(callbacks.display);
    glutMouseFunc(callbacks.mouse);
    glutKeyboardFunc(callbacks.keyboard);
    glutMotionFunc(callbacks.motion);
    glutPassiveMotionFunc(callbacks.passiveMotion);
    screenIdle = callbacks.idle;
    glutIdleFunc(callbacks.idle ? idlePass : nullptr);
    glutSwapBuffers();
    glutPostRedisplay();
    try {
        enterScreenLoop(exit);
    } catch (...) {
        withdrawInputCallbacks();
        throw;
    }
    withdrawInputCallbacks();
}

void leaveScreen(const ScreenExit& exit, int value) {
    if (exit.value) *exit.value = value;
    exit.running = false;
    std::longjmp(exit.returnPoint, 1);
}

bool screenRunning() { return activeScreen != nullptr; }

void keepCallbackError() { callbackError = std::current_exception(); }

void leaveScreenWithError() {
    if (!activeScreen) std::terminate();  // a guarded callback always runs inside a screen
    leaveScreen(*activeScreen);
}
