#pragma once
// The game's textures, painted from noise and simple shapes.
#include "Canvas.h"

constexpr int kGrassSize = 512;  // covers the whole terrain once
constexpr int kSkyWidth = 512;   // s: laid twice around the viewer
constexpr int kSkyHeight = 256;  // t: first row straight up, middle row the horizon
constexpr int kMoonSize = 128;   // Moon.bmp and MoonAlpha.bmp

Canvas makeGrass();
Canvas makeCamo();       // camouflage, with the vehicle's rubber and glass bands (TextureLayout.h)
Canvas makeTreeBark();   // Tree.bmp: bark and leaves (TextureLayout.h)
Canvas makeSky();
Canvas makeMoon();       // a grey disc with maria and craters on black
Canvas makeMoonAlpha();  // white on the disc, black around it
