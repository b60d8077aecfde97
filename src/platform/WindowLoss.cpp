#include "platform/WindowLoss.h"

#include <GL/freeglut.h>
#include <GL/glx.h>
#include <X11/Xlib.h>
#include <unistd.h>

#include <cstdio>

#include "base/FatalError.h"
#include "platform/ScreenLoop.h"

namespace {

const char* const windowClosedMessage = "The window was closed.";
constexpr int hiddenCheckMs = 250;

// The one window's X connection, watched for the whole process: Xlib's error
// handler and GLUT's callbacks take no argument of ours.
Display* display = nullptr;
Window window = 0;
XErrorHandler xlibErrorHandler = nullptr;  // Xlib's own, for errors about anything else
bool hidden = false;                       // unmapped, as far as freeglut has told

bool windowExists() {
    XWindowAttributes attributes;
    return XGetWindowAttributes(display, window, &attributes) != 0;
}

// Requests on a window that has just been destroyed fail; Xlib's own handler
// would end the program with a report of several lines. Such errors are left
// to the checks below, which see that the window is gone.
int ignoreErrorsOnTheWindow(Display* from, XErrorEvent* error) {
    if (error->resourceid == window || !xlibErrorHandler) return 0;
    return xlibErrorHandler(from, error);
}

// Thrown inside a guarded callback: the running screen is left and the
// program's main prints the message.
[[noreturn]] void endWithWindowClosed() { throw FatalError(windowClosedMessage); }

// The connection is gone, so nothing more can be asked of the display, and
// the usual way out would not do: freeglut closes the display when the
// process exits, and Xlib would add lines about the dead connection. Xlib
// ends the program itself if this returns.
int connectionLost(Display*) {
    std::fflush(stdout);
    std::fprintf(stderr, "%s\n", windowClosedMessage);
    _exit(1);
}

// The close button of a window manager. freeglut also calls this when it
// tears the window down as the process exits; no screen runs then.
void closeRequested() {
    if (screenRunning()) endWithWindowClosed();
}

// A destroyed window is unmapped first, which freeglut reports as hidden
// (it ignores the destruction itself). A window that is only hidden, say
// iconified, is looked at again a few times a second until it shows again.
void watchHiddenWindow(int) {
    if (!hidden) return;
    if (!windowExists()) endWithWindowClosed();
    glutTimerFunc(hiddenCheckMs, guardCallback<watchHiddenWindow>, 0);
}

void windowStatusChanged(int status) {
    bool wasHidden = hidden;
    hidden = status == GLUT_HIDDEN;
    setScreenHidden(hidden);  // nothing to see: the screen sleeps until it shows again
    if (!hidden) return;
    if (!windowExists()) endWithWindowClosed();
    if (!wasHidden) glutTimerFunc(hiddenCheckMs, guardCallback<watchHiddenWindow>, 0);
}

}  // namespace

void watchForWindowLoss() {
    display = glXGetCurrentDisplay();
    window = glXGetCurrentDrawable();
    xlibErrorHandler = XSetErrorHandler(ignoreErrorsOnTheWindow);
    XSetIOErrorHandler(connectionLost);
    glutCloseFunc(guardCallback<closeRequested>);
    glutWindowStatusFunc(guardCallback<windowStatusChanged>);
}
