#pragma once
// The debug overlay of the shadow grid, drawn over the finished scene in the
// window's lower-left corner: one grey point per grid value, or a white
// rectangle of the same place and size when no shadow pass ran this frame.

// Draws the overlay for a terrain of width (grid points along x) by depth
// (along z), from a grid of that size (ShadowGrid.h: width rows of depth
// values). Row i goes to window column 20 + i and column j to window row
// 20 + depth - j, so the picture fills x 20 .. 19 + width and
// y 21 .. 20 + depth (world x mirrored, world z upwards). A null grid draws
// the white rectangle from (20, 20) to (20 + width, 20 + depth); for a square
// terrain it and the picture are width x width pixels.
// Works in window pixels whatever the matrices (WindowCoordinates.h); needs
// nothing of the GL state and leaves all of it as it found it.
class ShadowGrid;
void drawShadowOverlay(const ShadowGrid* grid, unsigned width, unsigned depth);
