// brellow: opens the window and runs one new game until the player quits.
#include <GL/freeglut.h>

#include <cstdio>
#include <exception>

#include "app/GameWindow.h"
#include "game/GameLoop.h"

int main(int argc, char** argv) {
    // Line-buffered, so progress lines reach a console or pipe as they happen.
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    try {
        openGameWindow(argc, argv);
        GameSnapshot snapshot;
        runGame(&snapshot, true);
        return 0;
    } catch (const std::exception& error) {
        std::fflush(stdout);
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
}
