#include "app/ProgramMain.h"

#include <cstdio>
#include <exception>

#include "platform/GameWindow.h"
#include "platform/HeapUpkeep.h"

int runProgram(int argc, char** argv, void (*screens)()) {
    // Line-buffered, so progress lines reach a console or pipe as they happen.
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    settleHeap();
    try {
        openGameWindow(argc, argv);
        screens();
        return 0;
    } catch (const std::exception& error) {
        std::fflush(stdout);
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
}
