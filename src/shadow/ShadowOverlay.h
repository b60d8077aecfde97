#pragma once
// The debug overlay of the shadow grid, drawn over the finished scene in the
// window's lower-left corner: one grey square of one picture pixel per grid
// value, solid at any window size, or a white rectangle of the same place and
// size when no shadow pass ran this frame. A map larger than 256 points a
// side shows every k-th value each way, k the least that keeps the overlay
// within 256 x 256 pixels, so it keeps the map's shape.

// Draws the overlay for a terrain of width (grid points along x) by depth
// (along z), from a grid of that size (ShadowGrid.h: width rows of depth
// values). Row i goes to picture column 20 + i and column j to picture row
// 20 + depth - j, so the picture fills x 20 .. 19 + width and
// y 21 .. 20 + depth (world x mirrored, world z upwards); on a larger map,
// width and depth divided by k. A null grid draws the white rectangle of the
// same size from (20, 20); for a square terrain both are square.
// Works in the picture's pixels whatever the matrices (WindowCoordinates.h); needs
// nothing of the GL state and leaves all of it as it found it.
class ShadowGrid;
void drawShadowOverlay(const ShadowGrid* grid, unsigned width, unsigned depth);
