#pragma once
// The GL state every 3D pass of a game frame starts from, set in one place:
// by initWorld when a game is built, and by the shadow pass when it hands
// the frame back.
//
// Black clear colour; smooth shading; the game's perspective projection and
// the picture's rectangle in the window as viewport; an identity modelview matrix, current;
// textures modulated by the lit colour; specular light added after
// texturing; depth testing, texturing, lighting and normalising on; blending
// off, with the blend function (source alpha, one minus source alpha) for
// the passes that switch it on.
void setSceneGlState();
