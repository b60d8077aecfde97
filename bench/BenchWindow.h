#pragma once
// The window the benchmark's game draws in.

// Opens the game's double-buffered window and, for another size than the
// game's 1024 x 768, resizes it, wholly on the screen, and waits until the
// game has heard the new size. Throws when the picture the game then draws
// is not width x height: a screen too small for the window, for one.
void openBenchWindow(int width, int height);
