#pragma once
// The terrain's height map: rolling hills in the red channel (the game reads
// height = red x 0.1 world units), copied to green and blue so it looks grey.
#include "Canvas.h"

constexpr int kHeightMapSize = 128;   // grid points per side; the vehicle starts at (64, 64)
constexpr int kHeightMapMaxStep = 4;  // largest red difference between neighbours before rounding

Canvas makeHeightMap();
