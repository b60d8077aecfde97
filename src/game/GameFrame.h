#pragma once
// The frame's record (FrameView.h) from the game's world: worked out on the
// processor, without GL, at the top of each frame.
#include "frame/FrameView.h"

struct GameWorld;
class VisibleQuads;

// By day with shadows on, every frame starts with the shadow pass.
bool shadowPassRuns(const GameWorld& world);

// Copies the world's values into a record, works out the camera's matrices
// and chooses the terrain quads in view into drawnQuads (the frame's memory
// keeps them for the frame; the record points to them).
FrameView makeFrameView(const GameWorld& world, VisibleQuads& drawnQuads);
