#include "app/ProgramMain.h"

#include <csignal>
#include <cstdio>
#include <exception>

#include "platform/GameWindow.h"
#include "platform/HeapUpkeep.h"

int runProgram(int argc, char** argv, void (*screens)()) {
    // Line-buffered, so progress lines reach a console or pipe as they happen.
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    // A reader that goes away (brellow | head -n 1) must not end the game:
    // lines that cannot be written are dropped and play goes on.
    std::signal(SIGPIPE, SIG_IGN);
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
