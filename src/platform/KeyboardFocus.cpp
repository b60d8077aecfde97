#include "platform/KeyboardFocus.h"

#include <GL/glx.h>
#include <X11/Xlib.h>

namespace {
Display* watcher = nullptr;  // the second connection, for the whole process
}

void watchKeyboardFocus() {
    Display* display = glXGetCurrentDisplay();
    const Window window = glXGetCurrentDrawable();
    if (!display || !window || watcher) return;
    watcher = XOpenDisplay(DisplayString(display));
    if (!watcher) return;  // then nothing is watched, as without a display
    // Each client chooses its own events on a window; freeglut's stay as they are.
    XSelectInput(watcher, window, FocusChangeMask);
    XFlush(watcher);
}

bool keyboardFocusLost() {
    if (!watcher) return false;
    bool lost = false;
    // XPending reads what has arrived without waiting for the server.
    while (XPending(watcher) > 0) {
        XEvent event;
        XNextEvent(watcher, &event);
        // Focus moving to a window inside ours is not a loss.
        if (event.type == FocusOut && event.xfocus.detail != NotifyInferior) lost = true;
    }
    return lost;
}

void stopWatchingKeyboardFocus() {
    if (watcher) XCloseDisplay(watcher);
    watcher = nullptr;
}
