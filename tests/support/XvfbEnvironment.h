#pragma once

// Gives a test program its own X server: a fresh Xvfb on a free display, started before the
// first test and stopped after the last. Include from exactly one source file of a test
// program; DISPLAY points at the server while the tests run.

#include "tests/support/Process.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace GralithTest {

class XvfbEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        // Mesa's GLX driver is loaded with each display and unloaded when it closes. What the
        // driver keeps for the process's lifetime would then be reported from an "<unknown
        // module>", which no suppression pattern of this toolchain's leak checker matches; kept
        // loaded, its frames carry the driver's name (see the suppressions below).
        for (const char* library : {"libGLX_mesa.so.0", "/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so"})
            dlopen(library, RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
        int fds[2];
        ASSERT_EQ(0, pipe(fds));
        pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            close(fds[0]);
            int null = open("/dev/null", O_WRONLY);
            if (null >= 0) {
                dup2(null, 1);
                dup2(null, 2);
            }
            std::string fd = std::to_string(fds[1]);
            execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x1024x24", "-nolisten", "tcp",
                   "-noreset", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        std::string number;
        pollfd p{fds[0], POLLIN, 0};
        while (number.empty() || number.back() != '\n') {
            if (poll(&p, 1, 15000) <= 0)
                break;
            char c;
            ssize_t n = read(fds[0], &c, 1);
            if (n <= 0)
                break;
            number += c;
        }
        close(fds[0]);
        ASSERT_FALSE(number.empty()) << "Xvfb did not report a display number";
        number.pop_back();
        setenv("DISPLAY", (":" + number).c_str(), 1);
        // The tests drive X11 through xdotool, so SDL must use X11 as well.
        setenv("SDL_VIDEODRIVER", "x11", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
    }

    void TearDown() override {
        if (pid > 0) {
            kill(pid, SIGTERM);
            int status = 0;
            while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
            }
            pid = -1;
        }
    }

private:
    pid_t pid = -1;
};

} // namespace GralithTest

// libdbus, which SDL's video layer loads, keeps an allocation it never frees, and so does Mesa's
// software GLX driver (kept loaded above); neither is ours to fix. LeakSanitizer reads this hook
// when the program is built with it and ignores it otherwise.
extern "C" const char* __lsan_default_suppressions() { return "leak:libdbus-1.so\nleak:swrast_dri.so\n"; }

#define GRALITH_TEST_WITH_XVFB()                                                                                       \
    static ::testing::Environment* const gralithXvfbEnvironment =                                                      \
        ::testing::AddGlobalTestEnvironment(new GralithTest::XvfbEnvironment)
