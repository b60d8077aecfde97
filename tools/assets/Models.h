#pragma once
// The game's two models, in model units (the game scales the vehicle by 0.75
// and the trees by 3).
#include "Mesh.h"

constexpr double kVehicleLength = 2.5;  // along x, front towards +x
constexpr double kTreeHeight = 1.5;     // along y, base at the origin

// A boxy military off-roader: centred on the origin in x and z, wheels resting
// on y = 0, textured from Camo.bmp.
Mesh makeVehicle();

// A trunk and a leafy crown, textured from Tree.bmp.
Mesh makeTree();
