#include "app/ScreenLoop.h"

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

void leaveScreen(ScreenExit& exit, int value) {
    exit.value = value;
    exit.running = false;
    std::longjmp(exit.returnPoint, 1);
}

void keepCallbackError() { callbackError = std::current_exception(); }

void leaveScreenWithError() {
    if (!activeScreen) std::terminate();  // a guarded callback always runs inside a screen
    leaveScreen(*activeScreen);
}
