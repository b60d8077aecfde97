#pragma once
// Reads the whole 1024 x 768 window back from the back buffer, as tightly
// packed bytes, rows bottom-up: the frame as drawn, before any swap.
#include <GL/gl.h>

#include <vector>

// format is GL_RGB, GL_RGBA or another colour format of one byte a channel.
std::vector<unsigned char> readWindow(GLenum format = GL_RGB);
