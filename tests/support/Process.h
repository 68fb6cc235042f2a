#pragma once

// Running the project's executables and the X tools (xdotool, xwininfo, xprop) as a user would.

#include "tests/support/TempDirectory.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace GralithTest {

struct ProcessResult {
    int status = -1; ///< exit code, -1 when killed by a signal
    std::string out;
    std::string err;
};

/// Runs a shell command line, answering its exit code, standard output and standard error.
inline ProcessResult RunProcess(const std::string& command) {
    ProcessResult result;
    char errPath[] = "/tmp/gralith-stderr-XXXXXX";
    int errFile = mkstemp(errPath);
    if (errFile < 0)
        return result;
    close(errFile);
    FILE* pipe = popen(("{ " + command + "\n} 2>'" + errPath + "'").c_str(), "r");
    char buffer[512];
    size_t n;
    if (pipe) {
        while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
            result.out.append(buffer, n);
        int status = pclose(pipe);
        result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    if (FILE* err = std::fopen(errPath, "r")) {
        while ((n = fread(buffer, 1, sizeof buffer, err)) > 0)
            result.err.append(buffer, n);
        std::fclose(err);
    }
    std::remove(errPath);
    return result;
}

/// Standard output of a shell command line.
inline std::string Run(const std::string& command) { return RunProcess(command).out; }

/// A shell command line left running in the background, as a viewer starts a program; its
/// standard output and error go to files. Killed, with whatever it started, when the object goes.
class BackgroundProcess {
public:
    explicit BackgroundProcess(const std::string& command) {
        // Built before the fork: the child of a threaded program may only exec.
        const std::string line = "{ " + command + "\n} >'" + files / "out" + "' 2>'" + files / "err" + "'";
        pid = fork();
        if (pid == 0) {
            setpgid(0, 0);
            execl("/bin/sh", "sh", "-c", line.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        setpgid(pid, pid);
    }
    ~BackgroundProcess() {
        if (pid > 0) {
            kill(-pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
    }
    /// The exit code once the program has ended within the time; -1 while it runs on, or when a
    /// signal ended it.
    int Wait(double seconds) {
        for (int i = 0; pid > 0 && i <= seconds * 20; ++i, usleep(50000)) {
            int status = 0;
            if (waitpid(pid, &status, WNOHANG) == pid) {
                pid = -1;
                return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            }
        }
        return -1;
    }
    /// What it has written so far.
    std::string Out() const { return Run("cat '" + files / "out" + "'"); }
    std::string Err() const { return Run("cat '" + files / "err" + "'"); }

private:
    TempDirectory files;
    pid_t pid = -1;
};

} // namespace GralithTest
