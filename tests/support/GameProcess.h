#pragma once
// Starts one of the game's programs as a child process in a working directory,
// with standard output and error captured to files, and waits for its end.
#include <sys/types.h>

#include <string>
#include <vector>

class GameProcess {
public:
    enum class Output {
        Captured,          // standard output goes to a file, read by standardOutput
        PipeWithNoReader,  // into a pipe whose reading end is already closed
        OutputClosed,      // started with standard output closed (brellow >&-)
        ErrorsClosed,      // started with standard error closed (brellow 2>&-)
    };

    // argv[0] is both the program path and the window title it will show.
    // environment holds NAME=value settings added to the child's environment.
    GameProcess(const std::vector<std::string>& argv, const std::string& workDir,
                const std::vector<std::string>& environment = {}, Output output = Output::Captured);
    ~GameProcess();  // kills the process if it still runs
    GameProcess(const GameProcess&) = delete;
    GameProcess& operator=(const GameProcess&) = delete;

    // Waits up to timeoutMs. True once the process has ended; then exitStatus
    // is its status, or -signal when a signal ended it.
    bool waitForExit(int timeoutMs);
    bool running();
    int exitStatus() const { return exitStatus_; }
    pid_t pid() const { return pid_; }
    // Processor time used so far (user and system), while it runs.
    double cpuSeconds() const;

    std::string standardOutput() const;
    std::string standardError() const;
    std::vector<std::string> outputLines() const;

private:
    pid_t pid_ = -1;
    bool ended_ = false;
    int exitStatus_ = 0;
    std::string outPath_;
    std::string errPath_;
};
