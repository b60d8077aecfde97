#pragma once
// Every test process that opens windows gets a virtual X display of its own,
// so that no test's input or focus reaches another's window and tests can
// run side by side. The test mains call this before anything opens the
// display: it starts Xvfb on a free display number, points DISPLAY (which
// the programs a test starts inherit) at it, and stops it when the process
// ends, however it ends. With BRELLOW_TEST_DISPLAY set, that display is used
// instead, to watch a test run.
#include <string>

void usePrivateDisplay();

// Starts another virtual display with one screen of the given size (as Xvfb
// takes it, "800x600x24"), stopped when the process ends; returns its name.
// With indirectGl, it also serves indirect rendering, as a remote X server does.
std::string startVirtualDisplay(const std::string& screen, bool indirectGl = false);
