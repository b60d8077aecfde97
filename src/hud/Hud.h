#pragma once
// The heads-up display: a translucent white panel in the top-left corner of
// the window with the score and the frame rate written on it in black. It
// keeps no state of its own.

// Draws the HUD over the finished scene, the last drawing of a game frame.
// Works in window pixels whatever the camera (WindowCoordinates.h) and sets
// its own blending; needs nothing of the GL state and leaves all of it as it
// found it.
void drawHud(int score, int fps);
