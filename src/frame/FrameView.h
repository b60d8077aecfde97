#pragma once
// The record of one game frame: every value the drawing of the frame reads,
// worked out on the processor at the top of the display callback (GameFrame.h)
// and copied in. The drawing (FrameDrawing.h) takes this record and never
// sees the game's rules or world. It lives for that one frame. Its pointers
// lead only to what the frame reads and never changes: the scene's objects,
// the terrain, the sky and the quads chosen for it.
#include "base/Vector3.h"
#include "base/ViewMode.h"
#include "scene/ObjectList.h"
#include "view/PixelCentres.h"
#include "view/ViewVolume.h"

class NightSky;
class Object;
class SkyBox;
class Terrain;
class VisibleQuads;

struct FrameView {
    // The camera's view, from the same numbers gluPerspective and gluLookAt take.
    double projection[16];  // column-major, as GL keeps it
    double modelview[16];   // the camera's view transform
    int viewport[4];        // the picture's rectangle in the window, window pixels
    ViewVolume view;        // what the camera can see
    PixelCentres pixelCentres;  // where in the picture a fragment can fall

    // The ground.
    const Terrain* terrain;
    const VisibleQuads* quads;  // the terrain quads in view
    bool shadowed;              // by day with shadows on: the frame starts with the shadow pass

    // The sun and the lights, as values the view pass sends.
    Vector3 towardsSun;         // unit direction towards the sun
    float sunHeight;            // sin(sunAngle) by day, 0 by night
    float sunAngle;             // radians
    bool sunOn;                 // off through the night
    float sunStrength;          // diffuse and specular grey while on, 0 ... 1
    bool headlightsOn;
    Vector3 vehiclePosition;    // where the headlights sit
    Vector3 vehicleRotation;    // degrees; the headlights shine along it

    // The sky, and the way the player sees it.
    const SkyBox* sky;
    const NightSky* stars;
    ViewMode viewMode;
    float headingDegrees;       // the vehicle's rotation about y, which turns the ride view's sky

    // What is drawn, in order.
    ObjectList trees;
    ObjectList orbs;
    const Object* vehicle;      // null in the ride view: the eye sits inside it
    ObjectList casters;         // what casts a shadow: trees, orbs, then the vehicle

    // Flat drawing over the scene.
    bool showOverlay;
    int score;
    int fps;
};
