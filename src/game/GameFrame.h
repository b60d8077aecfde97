#pragma once
// The frame's record (FrameView.h) from the game's world: worked out on the
// processor, without GL, at the top of each frame.
#include "frame/FrameView.h"

struct FrameMemory;
struct GameWorld;
class VisibleQuads;

// By day with shadows on, every frame starts with the shadow pass.
bool shadowPassRuns(const GameWorld& world);

// Copies the world's values into a record, works out the camera's matrices
// and chooses the terrain quads in view into memory.drawnQuads.
FrameView makeFrameView(const GameWorld& world, FrameMemory& memory);
// The same, with the quads chosen into drawnQuads: the record alone, for a
// program without the frame's GL memory.
FrameView makeFrameView(const GameWorld& world, VisibleQuads& drawnQuads);
