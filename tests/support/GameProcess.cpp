#include "support/GameProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <sstream>
#include <stdexcept>
#include <thread>

#include "support/Files.h"

GameProcess::GameProcess(const std::vector<std::string>& argv, const std::string& workDir,
                         const std::vector<std::string>& environment, Output output) {
    static int serial = 0;
    std::string stem = "/tmp/brellow-e2e-" + std::to_string(getpid()) + "-" + std::to_string(++serial);
    outPath_ = stem + ".out";
    errPath_ = stem + ".err";
    pid_ = fork();
    if (pid_ < 0) throw std::runtime_error("fork failed");
    if (pid_ == 0) {
        if (chdir(workDir.c_str()) != 0) _exit(126);
        int out = open(outPath_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        int err = open(errPath_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        int nothing = open("/dev/null", O_RDONLY);
        int toPipe[2];
        if (output == Output::PipeWithNoReader && pipe(toPipe) == 0) {
            close(toPipe[0]);
            out = toPipe[1];
        }
        dup2(out, 1);
        dup2(err, 2);
        dup2(nothing, 0);
        if (output == Output::OutputClosed) close(1);
        if (output == Output::ErrorsClosed) close(2);
        for (const std::string& setting : environment) putenv(const_cast<char*>(setting.c_str()));
        std::vector<char*> args;
        for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
        args.push_back(nullptr);
        execv(args[0], args.data());
        _exit(127);
    }
}

GameProcess::~GameProcess() {
    if (!ended_ && pid_ > 0) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    unlink(outPath_.c_str());
    unlink(errPath_.c_str());
}

bool GameProcess::running() {
    if (ended_) return false;
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) == pid_) {
        ended_ = true;
        exitStatus_ = WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
    }
    return !ended_;
}

bool GameProcess::waitForExit(int timeoutMs) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (running()) {
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

double GameProcess::cpuSeconds() const {
    // User and system ticks: fields 14 and 15, counted past the parenthesised name.
    std::string stat = readFile("/proc/" + std::to_string(pid_) + "/stat");
    unsigned long user = 0, system = 0;
    std::sscanf(stat.c_str() + stat.rfind(')') + 1, " %*s %*s %*s %*s %*s %*s %*s %*s %*s %*s %*s %lu %lu",
                &user, &system);
    return static_cast<double>(user + system) / sysconf(_SC_CLK_TCK);
}

std::string GameProcess::standardOutput() const { return readFile(outPath_); }
std::string GameProcess::standardError() const { return readFile(errPath_); }

std::vector<std::string> GameProcess::outputLines() const {
    std::vector<std::string> lines;
    std::istringstream text(standardOutput());
    for (std::string line; std::getline(text, line);) lines.push_back(line);
    return lines;
}
