#pragma once
// The drawing of one game frame from its record (FrameView.h), which holds
// all it reads: it never sees GameWorld. In order, with what each pass needs
// and leaves (every pass starts from the scene's GL state, SceneGlState.h):
//
//   clear        colour and depth; the shadow pass's picture goes with them
//   view         the camera's modelview matrix from the record, then the sun
//                and, when on, the headlights sent through it
//   terrain      the quads in view, shaded from the shadow grid; leaves its
//                material, texture and the grid's last corner's normal and
//                texture coordinate (Terrain.h)
//   trees, orbs, vehicle
//                each object draws, or, when wholly outside the view, only
//                leaves the state its drawing would (Object::leaveStateAsDrawn);
//                orbs with texturing off, which comes back on after them
//   sky          behind the scene at the far plane, scissored to the rows the
//                terrain may leave open; leaves the state as it found it, the
//                camera's modelview matrix current again (SkyPass.h)
//   overlay      when switched on; leaves the state as it found it
//   hud          score and frame rate; leaves the state as it found it
//
// The frame is left in the back buffer, not swapped.
struct FrameView;
class QuadBatch;

void drawFrame(const FrameView& frame, QuadBatch& terrainBatch);

// Sends the headlights in the vehicle's own frame without its model rotation,
// so they shine along its direction of travel. Needs the camera's view in the
// modelview matrix, and leaves it there.
void applyHeadlights(const FrameView& frame);
