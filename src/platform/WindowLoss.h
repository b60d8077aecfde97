#pragma once
// The window can go from under the program: another client destroys it, the
// connection to the display is cut (xdotool windowkill, a display that
// ends), or a window manager's close button asks it to close. Either program
// then ends at once with the one line "The window was closed." on standard
// error and status 1, instead of spinning without a window or ending in
// Xlib's report of several lines.

// A window that is only hidden (iconified, say) puts the running screen to
// sleep until it shows again (ScreenLoop.h).
//
// Installs the X error handlers and the window's close and status callbacks.
// Call once, right after the window is created (its context current).
void watchForWindowLoss();
