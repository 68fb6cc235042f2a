#pragma once

// Running the project's executables and the X tools (xdotool, xwininfo, xprop) as a user would.

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

} // namespace GralithTest
