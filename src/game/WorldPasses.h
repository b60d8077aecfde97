#pragma once
// Three passes of the frame driven by the game's own state, GameWorld and the
// frame's memory, rather than by arguments: for drawing one pass on its own,
// as the tests do. Each is a thin adapter over the pass the frame runs.
class ShadowGrid;

// The shadow pass over the whole picture, every caster of the world, along
// the sun's direction, into the frame's shadow buffers. Needs and leaves
// what the core pass does (ShadowPass.h).
const ShadowGrid& shadowPass();

// Reads the silhouette picture, pixelWidth x pixelHeight pixels in the
// window's lower-left corner, back into the frame's shadow buffers and
// filters it (ShadowPicture.h).
const ShadowGrid& readShadowGrid(int pixelWidth, int pixelHeight);

// The sky pass for the world's time of day and view (SkyPass.h).
void skyPass();
