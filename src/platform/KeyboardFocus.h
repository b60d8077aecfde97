#pragma once
// Whether the window has lost the keyboard since last asked: another window
// took the focus, or a window manager grabbed the keyboard (alt-tab, say).
// Keys and buttons let go of meanwhile reach another window, so the screens
// then take everything as released (ScreenLoop.cpp).
//
// freeglut neither asks for focus events nor reports them, so the window is
// watched through a connection of its own.

// Starts watching the current GL window. Call once, right after the window
// is created (its context current); without a display it does nothing.
void watchKeyboardFocus();

// True once after each loss of the keyboard; false when nothing is watched.
// Reads only what the display has already sent, without a round trip.
bool keyboardFocusLost();

// Closes the watching connection, before the window's own display is closed.
void stopWatchingKeyboardFocus();
