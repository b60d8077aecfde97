#pragma once
// The heads-up display: a translucent white panel in the top-left corner of
// the window with the score and the frame rate written on it in black. It
// keeps no state of its own; it reads world.score and world.fps.

// Draws the HUD over the finished scene, the last drawing of a game frame.
// Works in window pixels (origin bottom left, 1024 x 768) whatever the
// camera. Expects the blend function (source alpha, one minus source alpha)
// that the sky pass sets. Leaves the projection matrix as it found it, the
// modelview matrix at identity, blending off and texturing, lighting and
// depth testing on.
void drawHud();
