#pragma once
// The game's GLUT display callback: draws one frame and swaps the buffers.
void gameDisplay();

// Sets the vehicle's headlights for the frame, in the vehicle's own frame
// without its model rotation, so they shine along its direction of travel.
// Expects the camera's view in the modelview matrix.
void applyHeadlights();
