#pragma once
// The menu's input and fade rules as plain functions on a MainMenu record.
// They make no GL or GLUT calls, so tests can run them without a window; the
// GLUT callbacks call them and then request a redraw when told to.
#include "menu/MainMenu.h"
#include "platform/GameWindow.h"

constexpr float fadeStep = 0.05f;      // fade opacity added per displayed frame

// The first button (in the order 0, 1, 2) whose rectangle holds the pointer,
// all four edges included, or noButton. windowY counts down from the top.
int buttonUnderPointer(const MainMenu& menu, int x, int windowY);

// Pointer moved: highlights the button under it. Ignored during the fade.
// Returns true when the screen should be redrawn.
bool hoverMenu(MainMenu& menu, int x, int windowY);

// A mouse event: a left press while a button is highlighted starts the fade
// with that button as the choice; the pointer position is not looked at.
// Returns true when the fade started.
bool clickMenu(MainMenu& menu, int button, int state);

// A key: Escape or 'q' starts the fade with Exit highlighted, also during a
// fade already running. Returns true when the key was taken.
bool pressMenuKey(MainMenu& menu, unsigned char key);

// One displayed frame of the fade. Returns true once fadeAlpha is exactly 1.
bool advanceFade(MainMenu& menu);

// True when the fade has finished and the choice can be handed back.
bool fadeFinished(const MainMenu& menu);
