#pragma once
// The heads-up display: a translucent white panel in the top-left corner of
// the window with the score and the frame rate written on it in black. It
// keeps no state of its own.

// Draws the HUD over the finished scene, the last drawing of a game frame.
// Works in window pixels whatever the camera (WindowCoordinates.h) and sets
// its own blending; needs nothing of the GL state and leaves all of it as it
// found it. At 1024 x 768 the text is the font's bitmaps; in a picture of
// another size (the viewport's), with lettering ready, it is drawn from the
// lettering, scaled with the panel.
class HudLettering;
void drawHud(int score, int fps, const HudLettering* lettering = nullptr);
