#pragma once
// The GL state every pass of a game frame starts from, set in one place: by
// the frame itself before its first pass (FrameDrawing.h), and by the
// reference frame and the tests that draw one pass on its own.
//
// Black clear colour; a white current colour; smooth shading; the game's
// perspective projection and the picture's rectangle in the window as
// viewport; an identity modelview matrix, current; textures modulated by the
// lit colour; specular light added after texturing; depth testing,
// texturing, lighting and normalising on; blending off, with the blend
// function (source alpha, one minus source alpha) for the passes that switch
// it on.
void setSceneGlState();
