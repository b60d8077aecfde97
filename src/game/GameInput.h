#pragma once
// The game's GLUT input callbacks: they only change GameWorld.
void gameMouse(int button, int state, int x, int y);
void gameKeyboard(unsigned char key, int x, int y);
void gameMotion(int x, int y);
void gamePassiveMotion(int x, int y);
