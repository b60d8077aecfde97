#pragma once
// The game's GLUT idle callback: one update of the world per pass of the main
// loop, everything moved in proportion to the time measured since the last.

void gameIdle();

// Points the sun and sets its strength for a time of day (radians). At night
// (angle >= pi) only sunHeight changes, to 0.
void setSunAngle(float angle);

// Scores the vehicle's collisions with standing trees and uncollected orbs.
void checkCollisions();
