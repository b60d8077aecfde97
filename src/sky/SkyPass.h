#pragma once
// The sky pass of a game frame: the sky box tinted and faded by the sun's
// height and, around dusk, night and dawn, the night sky faded in by the
// same measure. It is drawn around the eye, without the camera's position,
// so the sky forms a backdrop centred on the eye. The game draws it after
// the scene, at the far plane behind it (FrameDrawing.h); the plain
// reference frame draws it first with depth testing off.
#include "base/ViewMode.h"

class NightSky;
class SkyBox;

// How the sky looks for one sun position.
struct SkyTint {
    float red, green, blue;  // tint of the sky picture
    float skyAlpha;          // opacity of the sky picture
    bool nightSkyDrawn;      // whether the stars and moon are drawn at all
    float nightSkyAlpha;     // their opacity; 0 when not drawn
};

// With L = sunHeight (taken as 0 when below 0):
//   sky opacity  1 for L > 0.2, else (5 L)^2
//   tint         (sqrt L, L, sqrt L) from sunAngle pi/2 on (afternoon and
//                night, a violet dusk), (sqrt L, L, L) before (a red dawn)
//   night sky    drawn with opacity (1 - 5 L)^2 while L <= 0.2
// sunAngle is in radians. Needs no GL.
SkyTint skyTint(float sunHeight, float sunAngle);

// Draws the sky for one frame: the sky box, then the night sky, for a sun
// height and angle as skyTint takes them, unlit and blended.
// Needs: the modelview matrix at the eye (no view transform), textures
// modulated by the current colour.
// Leaves: the modelview matrix turned against the vehicle's heading
// (degrees) in the ride view, as it is drawn; the blend function at (source
// alpha, one minus source alpha); the current colour, normal and texture
// coordinate, every switch and the texture binding as it found them.
void skyPass(const SkyBox& sky, const NightSky& stars, float sunHeight, float sunAngle, ViewMode view,
             float headingDegrees);
