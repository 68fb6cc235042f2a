#pragma once

// Running the X tools (xdotool, xwininfo, xprop) that look at windows from outside.

#include <cstdio>
#include <string>

namespace GralithTest {

/// Runs a shell command and answers its standard output.
inline std::string Run(const std::string& command) {
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return out;
    char buffer[256];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        out.append(buffer, n);
    pclose(pipe);
    return out;
}

} // namespace GralithTest
