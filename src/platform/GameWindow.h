#pragma once
// Initialises GLUT and opens the one 1024 x 768 window, titled with the path
// the program was started by, then greets the player on standard output.
void openGameWindow(int& argc, char** argv);
