#pragma once
// The game's GLUT display callback: draws one frame and swaps the buffers.
void gameDisplay();
