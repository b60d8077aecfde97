#pragma once
// The desktop icon: a small scene of the game painted from its own pictures,
// sky, grass, a tree and an orb with their shadows, in a rounded square.
#include "Png.h"

constexpr int kIconSizes[] = {48, 128, 256};  // pixels a side, the hicolor theme's folders

// size pixels a side; the same bytes on every run.
RgbaPicture paintIcon(int size);
