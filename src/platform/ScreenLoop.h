#pragma once
// A screen (the game, the menu) is a set of GLUT callbacks plus a return
// point. The screen runs inside glutMainLoop and leaves it by jumping back to
// the return point, because freeglut's glutMainLoop tears down the window when
// it returns, and the next screen needs the window and its GL context alive.
//
// Nothing with a destructor may live in the frames that the jump passes over:
// the GLUT callbacks must hold no objects when they leave.
#include <csetjmp>

// A screen's way out of the GLUT main loop. The return point and the running
// flag live in the screen's own record (GameWorld's gameReturnPoint and
// gameRunning, MainMenu's menuReturnPoint and menuRunning); this names them.
struct ScreenExit {
    std::jmp_buf& returnPoint;  // where enterScreenLoop continues after leaving
    bool& running;              // true while the screen's main loop should run
    int* value = nullptr;       // receives leaveScreen's value (the menu's choice), if given
};

// Runs glutMainLoop until a callback calls leaveScreen(exit, ...). An
// exception thrown inside a guarded callback also ends the loop and is
// rethrown from here, on the screen's own stack.
void enterScreenLoop(const ScreenExit& exit);

// The GLUT callbacks of a screen, each wrapped with guardCallback. The
// pointer reaches them in the picture's pixels (GameWindow.h), y from the
// top, whatever size the window has. A key reaches the keyboard callback
// once a press: not again while it is held, and not at all on a screen
// entered while it was held from the screen before.
struct ScreenCallbacks {
    void (*display)();
    void (*mouse)(int button, int state, int x, int y);
    void (*keyboard)(unsigned char key, int x, int y);
    void (*motion)(int x, int y);
    void (*passiveMotion)(int x, int y);
    void (*idle)();
    void (*shown)();  // the window shows again after being hidden; may be null
};

// Runs a whole screen: installs its callbacks, shows the current frame and
// asks for a new one, enters the loop, and once the screen is left withdraws
// the input and idle callbacks again, also when a callback failed (whose
// error is then rethrown). The display callback stays until the next screen
// installs its own.
void runScreen(const ScreenExit& exit, const ScreenCallbacks& callbacks);

// Hands value over, clears the running flag and jumps back into
// enterScreenLoop. Does not return.
[[noreturn]] void leaveScreen(const ScreenExit& exit, int value = 0);

// True while a screen's loop runs (inside enterScreenLoop).
bool screenRunning();

// Installs (or, with null, withdraws) the running screen's idle callback,
// which runs only while the window can be seen.
void setScreenIdle(void (*idle)());
// The window was hidden (iconified, on another desktop) or shown again.
// Hidden, it hears no more releases, so every button and key is taken as
// released then (a held button through the screen's mouse callback), as
// also when the window loses the keyboard (KeyboardFocus.h).
// While it is hidden the idle callback is withdrawn, so the main loop sleeps
// until an event comes; when it shows again, the screen's shown callback
// runs before the next idle pass.
void setScreenHidden(bool hidden);

// Keeps the exception being handled, for enterScreenLoop to rethrow.
void keepCallbackError();
// Leaves the running screen after keepCallbackError. Does not return.
[[noreturn]] void leaveScreenWithError();

// Wraps a GLUT callback so that an exception never unwinds through GLUT's C
// frames. Use as glutDisplayFunc(guardCallback<gameDisplay>).
template <auto callback, typename... Args>
void guardCallback(Args... args) {
    bool failed = false;
    try {
        callback(args...);
    } catch (...) {
        keepCallbackError();
        failed = true;
    }
    // Jump only after the handler has finished, so the runtime's record of
    // the exception being handled is closed properly.
    if (failed) leaveScreenWithError();
}
