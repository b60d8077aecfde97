#pragma once
// The drawing of one game frame from its record (FrameView.h), which holds
// all it reads: it never sees the game's world. The frame first sets the
// scene's GL state (SceneGlState.h), the base every pass starts from; each
// pass sets what else it needs itself and puts back what it changes, so none
// relies on what an earlier pass, or anything before the frame, left. In
// order:
//
//   shadow       by day with shadows on: the casters' silhouettes drawn
//                along the sun and read back into the shadow grid; its
//                picture is left in the back buffer for the clear
//   clear        colour and depth
//   view         the picture's viewport and the camera's projection and
//                modelview matrices from the record, then the sun and, when
//                on, the headlights sent through the view; leaves the
//                camera's modelview matrix current for the scene
//   terrain      the quads in view, shaded from the shadow grid
//   trees, orbs, vehicle
//                each object wholly outside the view is skipped; orbs with
//                texturing off, which comes back on after them
//   sky          behind the scene at the far plane, scissored to the rows the
//                terrain may leave open
//   overlay      when switched on
//   hud          score and frame rate
//
// With error checks on (FramePasses.h), GL's error flag is checked at the end
// of every pass. The frame is left in the back buffer, not swapped.
class FrameLights;
struct FrameView;
struct FrameMemory;

void drawFrame(const FrameView& frame, FrameMemory& memory);

// The view pass: the record's viewport and the camera's matrices loaded, then
// the lights made (when they are not yet) and sent through the view.
void sendView(const FrameView& frame, FrameLights& lights);
