#pragma once
// Reads the 1024 x 768 window back from the back buffer, the frame as drawn
// before any swap: whole, as tightly packed bytes with rows bottom-up, or one
// pixel at a time.
#include <GL/gl.h>

#include <vector>

#include "support/Rgb.h"

// format is GL_RGB, GL_RGBA or another colour format of one byte a channel.
std::vector<unsigned char> readWindow(GLenum format = GL_RGB);

// The pixel at window (x, y), y counted from the bottom.
Rgb readPixel(int x, int y);
