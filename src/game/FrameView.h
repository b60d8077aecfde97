#pragma once
// The record of one game frame, worked out at the top of the display
// callback before anything is drawn and handed down to the passes: what the
// camera sees, the terrain quads in view, and the shadow grid the shadow pass
// made for them. It lives for that one frame; the memory behind it belongs to
// the game (GameWorld) and is refilled every frame.
#include "terrain/ShadowGrid.h"
#include "terrain/VisibleQuads.h"
#include "view/ViewVolume.h"

struct FrameView {
    ViewVolume view;             // the camera's view volume
    const VisibleQuads& quads;   // the terrain quads in view
    const ShadowGrid* shadows;   // null when no shadow pass ran (night, or shadows off)
};

// Works the record out from the game world, running the shadow pass when the
// sun is up and shadows are on. Expects the camera's view in the modelview
// matrix, and leaves it there.
FrameView makeFrameView();
