#include "ChildProcess.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <exception>
#include <stdexcept>
#include <type_traits>

static_assert(std::is_trivially_copyable_v<SizeResult>, "SizeResult travels through a pipe as bytes");

namespace {

void setError(SizeResult& result, const char* message) {
    result.ok = false;
    std::snprintf(result.error, sizeof result.error, "%s", message);
}

bool writeAll(int fd, const void* data, size_t size) {
    const char* bytes = static_cast<const char*>(data);
    while (size > 0) {
        ssize_t written = write(fd, bytes, size);
        if (written <= 0) return false;
        bytes += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

bool readAll(int fd, void* data, size_t size) {
    char* bytes = static_cast<char*>(data);
    while (size > 0) {
        ssize_t got = read(fd, bytes, size);
        if (got <= 0) return false;
        bytes += got;
        size -= static_cast<size_t>(got);
    }
    return true;
}

[[noreturn]] void runChild(int fd, const std::string& workDir, const std::function<SizeResult()>& measure) {
    SizeResult result;
    try {
        if (chdir(workDir.c_str()) != 0) throw std::runtime_error("cannot enter " + workDir);
        int devNull = open("/dev/null", O_WRONLY);
        if (devNull >= 0) dup2(devNull, STDOUT_FILENO);
        result = measure();
    } catch (const std::exception& error) {
        setError(result, error.what());
    } catch (...) {
        setError(result, "unknown failure");
    }
    bool sent = writeAll(fd, &result, sizeof result);
    std::fflush(stderr);
    _exit(sent ? 0 : 1);  // no atexit handlers: GLUT's teardown belongs to no one here
}

}  // namespace

SizeResult measureInChild(const std::string& workDir, const std::function<SizeResult()>& measure) {
    SizeResult result;
    int fds[2];
    if (pipe(fds) != 0) {
        setError(result, "pipe failed");
        return result;
    }
    std::fflush(stdout);
    std::fflush(stderr);
    pid_t child = fork();
    if (child < 0) {
        close(fds[0]);
        close(fds[1]);
        setError(result, "fork failed");
        return result;
    }
    if (child == 0) {
        close(fds[0]);
        runChild(fds[1], workDir, measure);
    }
    close(fds[1]);
    bool received = readAll(fds[0], &result, sizeof result);
    close(fds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (!received) {
        char reason[100];
        if (WIFSIGNALED(status)) {
            std::snprintf(reason, sizeof reason, "the measuring process died of signal %d", WTERMSIG(status));
        } else {
            std::snprintf(reason, sizeof reason, "the measuring process ended with status %d without a result",
                          WEXITSTATUS(status));
        }
        setError(result, reason);
    }
    return result;
}
