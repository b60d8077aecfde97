#pragma once
// The game's GLUT idle callback: one update step per pass of the main loop.
void gameIdle();
