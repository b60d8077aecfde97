#pragma once
// The terrain's height map: rolling hills in the red channel (the game reads
// height = red x 0.1 world units), copied to green and blue so it looks grey.
#include "Canvas.h"

constexpr int kHeightMapSize = 128;     // grid points per side the game ships with
constexpr int kHeightMapMinSize = 65;  // the vehicle starts at grid point (64, 64)
constexpr int kHeightMapMaxSize = 4096;
constexpr int kHeightMapMaxStep = 4;   // largest red difference between neighbours before rounding

// A square map of size x size grid points, kHeightMapMinSize to
// kHeightMapMaxSize. Hills keep their size in grid steps, so a larger map
// shows more of them rather than the same hills stretched.
Canvas makeHeightMap(int size = kHeightMapSize);
