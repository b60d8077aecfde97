#pragma once
// The common frame of the game's programs: opens the window (with the
// greeting), runs the program's screens, and turns a fatal error into its
// message on one line of standard error and exit status 1.
int runProgram(int argc, char** argv, void (*screens)());
