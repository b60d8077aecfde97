#include "platform/ScreenLoop.h"

#include <GL/freeglut.h>

#include <chrono>
#include <exception>

#include "base/HeapUpkeep.h"
#include "platform/GameWindow.h"
#include "platform/KeyboardFocus.h"

namespace {
// The running screen, for the whole process. GLUT's callbacks take no
// argument and its main loop has no other way back to the screen.
const ScreenExit* activeScreen = nullptr;    // the screen whose loop is running
std::exception_ptr callbackError;      // thrown by a callback, not yet rethrown
void (*screenIdle)() = nullptr;        // the running screen's own idle callback
void (*screenShown)() = nullptr;       // and what it does when its window shows again
bool windowHidden = false;

void letGoIfTheKeyboardWasLost();

// Each pass of the loop first lets go of everything held if the window lost
// the keyboard, runs the screen's idle callback, then looks after the
// process's heap by the time that has really passed.
void idlePass() {
    using Clock = std::chrono::steady_clock;
    static Clock::time_point last = Clock::now();
    letGoIfTheKeyboardWasLost();
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
ScreenCallbacks pointerCallbacks{};  // the running screen's, fed in the picture's pixels

// Buttons held down as the screen heard them, and where the pointer was last
// seen, in the picture's pixels: what a release made up for them needs.
constexpr int trackedButtons = 3;  // left, middle, right; the wheel's presses do not stay down
bool buttonHeld[trackedButtons] = {};
int pointerX = 0, pointerY = 0;

// A pointer position GLUT reports, in the picture's pixels, kept as the last seen.
void pointerInPicture(int& x, int& y) {
    windowToPicture(x, y);
    pointerX = x;
    pointerY = y;
}

void mouseInPicture(int button, int state, int x, int y) {
    letGoIfTheKeyboardWasLost();
    pointerInPicture(x, y);
    if (button >= 0 && button < trackedButtons) buttonHeld[button] = state == GLUT_DOWN;
    pointerCallbacks.mouse(button, state, x, y);
}
void motionInPicture(int x, int y) {
    pointerInPicture(x, y);
    pointerCallbacks.motion(x, y);
}
void passiveMotionInPicture(int x, int y) {
    pointerInPicture(x, y);
    pointerCallbacks.passiveMotion(x, y);
}

// Keys held down, for all screens alike: a key acts when it goes down, not
// again while it is held (the server repeats it), and a key still held from
// the screen before acts on the next only once it has been released.
bool keyHeld[256] = {};

void keyPressedOnce(unsigned char key, int x, int y) {
    letGoIfTheKeyboardWasLost();
    if (keyHeld[key]) return;
    keyHeld[key] = true;
    windowToPicture(x, y);
    pointerCallbacks.keyboard(key, x, y);
}

void keyReleased(unsigned char key, int, int) { keyHeld[key] = false; }

// A window that is hidden or loses the keyboard hears no more releases: the
// player lets go elsewhere. Every button and key is then taken as released,
// the buttons through the screen's own mouse callback, so nothing acts
// again until it is pressed again.
void letGoOfEverything() {
    for (bool& held : keyHeld) held = false;
    for (int button = 0; button < trackedButtons; ++button) {
        if (!buttonHeld[button]) continue;
        buttonHeld[button] = false;
        if (pointerCallbacks.mouse) pointerCallbacks.mouse(button, GLUT_UP, pointerX, pointerY);
    }
}

void letGoIfTheKeyboardWasLost() {
    if (keyboardFocusLost()) letGoOfEverything();
}

void withdrawInputCallbacks() {
    glutMouseFunc(nullptr);
    glutKeyboardFunc(nullptr);
    glutMotionFunc(nullptr);
    glutPassiveMotionFunc(nullptr);
    glutIdleFunc(nullptr);
    screenIdle = nullptr;
    screenShown = nullptr;
}
}  // namespace

void setScreenIdle(void (*idle)()) {
    screenIdle = idle;
    glutIdleFunc(idle && !windowHidden ? idlePass : nullptr);
}

void setScreenHidden(bool hidden) {
    if (hidden == windowHidden) return;
    windowHidden = hidden;
    if (hidden) letGoOfEverything();
    if (!hidden && screenShown) screenShown();
    setScreenIdle(screenIdle);
}

void runScreen(const ScreenExit& exit, const ScreenCallbacks& callbacks) {
    pointerCallbacks = callbacks;
    glutDisplayFunc(callbacks.display);
    glutMouseFunc(callbacks.mouse ? mouseInPicture : nullptr);
    glutKeyboardFunc(callbacks.keyboard ? keyPressedOnce : nullptr);
    glutKeyboardUpFunc(keyReleased);
    glutMotionFunc(callbacks.motion ? motionInPicture : nullptr);
    glutPassiveMotionFunc(callbacks.passiveMotion ? passiveMotionInPicture : nullptr);
    screenShown = callbacks.shown;
    setScreenIdle(callbacks.idle);
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
