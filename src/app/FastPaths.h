#pragma once
// Switches for the drawing shortcuts that make a frame cheaper without
// changing a single pixel of it. The game runs with all of them on; the
// pixel-identity test turns them off to draw the same frames the plain way
// and compares every pixel.
struct FastPaths {
    bool terrainArrays = true;   // terrain from prepared vertex arrays, not vertex by vertex
    bool skyBehindScene = true;  // sky drawn last, only where the scene left the background
    bool fewerClears = true;     // no clears whose pixels are overwritten or never read
    bool silhouetteLists = true; // shadow casters drawn from position-only display lists
    bool viewCulling = true;     // objects wholly outside the view are not sent at all
    bool terrainCulling = true;  // nor are runs of terrain quads wholly outside it
    bool opaqueDaySky = true;    // a fully opaque sky is written without blending
    bool closedSilhouettes = true;  // closed shapes cast shadows from their sunward faces alone
    bool castersInReach = true;  // only objects whose silhouettes can reach a drawn quad cast them

    // Every shortcut off: the frame drawn the plain way.
    static FastPaths none() { return {false, false, false, false, false, false, false, false, false}; }
};

extern FastPaths fastPaths;
