#pragma once
// The floor of the terrain's drawing: a frame that holds nothing but the
// terrain's quads the game frame chose, sent vertex by vertex as the tests' reference frame sends
// them, without the per-quad shadow material and without a shadow pass. It
// draws from a game frame's record (the same view, the same sun), clears,
// draws, swaps the buffers and waits for GL.
class FrameLights;
struct FrameView;

void drawPlainTerrainFrame(const FrameView& frame, FrameLights& lights);
