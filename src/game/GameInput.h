#pragma once
// The rules of the player's input. Each changes fields of the world and
// nothing else; the game screen's GLUT callbacks (GameScreen.cpp) call them.
// Pointer positions are in the picture's pixels, y from the top.
struct GameWorld;

// A mouse button went down or up at (x, y); only the left button drives. A
// press records where it happens, so the drag that follows moves from there
// by exactly what was dragged, however far the pointer was last seen.
void pressMouseButton(GameWorld& world, bool leftButton, bool down, int x, int y);

// The pointer moved with no button held.
void movePointer(GameWorld& world, int x, int y);

// The pointer moved with a button held: dragging up with the left button
// speeds up, sideways turns the vehicle.
void dragPointer(GameWorld& world, int x, int y);

// A key other than the quit keys: '1' ride view, '2' chase view, 'h'
// headlights, 's' shadow overlay, 'x' shadows. False for any other key,
// which changes nothing.
bool pressKey(GameWorld& world, unsigned char key);
