#pragma once
// The game's GLUT display callback: makes the frame's record from the world,
// draws it, swaps the buffers and counts the frame.
void gameDisplay();
