#include "app/ProgramMain.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <exception>

#include "base/FatalError.h"
#include "platform/GameWindow.h"
#include "base/HeapUpkeep.h"

namespace {

// A launcher may start the program with standard input, output or error
// closed. Left so, the next file opened takes the descriptor: the X
// connection, say, which the progress lines would then be written into.
void openClosedStandardDescriptors() {
    for (int fd = 0; fd <= 2; ++fd)
        if (fcntl(fd, F_GETFD) == -1 && errno == EBADF && open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY) != fd)
            _exit(1);  // there is no way to say so
}

}  // namespace

int runProgram(int argc, char** argv, void (*screens)()) {
    openClosedStandardDescriptors();
    // Line-buffered, so progress lines reach a console or pipe as they happen.
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    // A reader that goes away (brellow | head -n 1) must not end the game:
    // lines that cannot be written are dropped and play goes on.
    std::signal(SIGPIPE, SIG_IGN);
    settleHeap();
    int status = 0;
    try {
        openGameWindow(argc, argv);
        screens();
    } catch (const FatalError& error) {
        std::fflush(stdout);
        std::fprintf(stderr, "%s\n", error.what());
        if (!error.detail().empty()) std::fprintf(stderr, "%s\n", error.detail().c_str());
        status = 1;
    } catch (const std::exception& error) {
        std::fflush(stdout);
        std::fprintf(stderr, "%s\n", error.what());
        status = 1;
    }
    closeGameWindow();
    return status;
}
