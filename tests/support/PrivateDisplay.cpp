#include "support/PrivateDisplay.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

std::vector<pid_t> servers;  // started by this process, stopped when it ends

void stopServers() {
    for (pid_t server : servers) {
        kill(server, SIGTERM);
        waitpid(server, nullptr, 0);
    }
    servers.clear();
}

}  // namespace

std::string startVirtualDisplay(const std::string& screen, bool indirectGl) {
    int ready[2];
    if (pipe(ready) != 0) throw std::runtime_error("pipe failed");
    const pid_t server = fork();
    if (server < 0) throw std::runtime_error("fork failed");
    if (server == 0) {
        prctl(PR_SET_PDEATHSIG, SIGTERM);  // the server goes with the test, even after a crash
        close(ready[0]);
        const int quiet = open("/dev/null", O_WRONLY);
        dup2(quiet, STDOUT_FILENO);
        dup2(quiet, STDERR_FILENO);
        const std::string fd = std::to_string(ready[1]);
        // -br: a black root window, so a mapped window that has drawn nothing
        // yet cannot pass for a drawn one.
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen.c_str(), "-br", "-nolisten",
               "tcp", "-noreset", "+extension", "GLX", indirectGl ? "+iglx" : "-iglx", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(ready[1]);
    if (servers.empty()) std::atexit(stopServers);
    servers.push_back(server);
    // Xvfb writes the display number it took once it accepts connections.
    std::string number;
    pollfd wait{ready[0], POLLIN, 0};
    char c = 0;
    while (poll(&wait, 1, 20000) > 0 && read(ready[0], &c, 1) == 1 && c != '\n') number += c;
    close(ready[0]);
    if (number.empty()) throw std::runtime_error("Xvfb did not start");
    return ":" + number;
}

void usePrivateDisplay() {
    if (const char* chosen = std::getenv("BRELLOW_TEST_DISPLAY")) {
        setenv("DISPLAY", chosen, 1);
        return;
    }
    setenv("DISPLAY", startVirtualDisplay("1280x1024x24").c_str(), 1);
}
