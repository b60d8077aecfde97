#include "platform/ScreenLoop.h"

#include <GL/freeglut.h>

#include <exception>

namespace {
ScreenExit* activeScreen = nullptr;    // the screen whose loop is running
std::exception_ptr callbackError;      // thrown by a callback, not yet rethrown
}

void enterScreenLoop(ScreenExit& exit) {
    ScreenExit* outer = activeScreen;
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

void runScreen(ScreenExit& exit, const ScreenCallbacks& callbacks) {
    glutDisplayFunc(callbacks.display);
    glutMouseFunc(callbacks.mouse);
    glutKeyboardFunc(callbacks.keyboard);
    glutMotionFunc(callbacks.motion);
    glutPassiveMotionFunc(callbacks.passiveMotion);
    glutIdleFunc(callbacks.idle);
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

void leaveScreen(ScreenExit& exit, int value) {
    exit.value = value;
    exit.running = false;
    std::longjmp(exit.returnPoint, 1);
}

bool screenRunning() { return activeScreen != nullptr; }

void keepCallbackError() { callbackError = std::current_exception(); }

void leaveScreenWithError() {
    if (!activeScreen) std::terminate();  // a guarded callback always runs inside a screen
    leaveScreen(*activeScreen);
}
