// halcyra-preview driven from outside on the test's own X server: real key presses, a script
// edited on disk while it runs, and what it reports on its standard output.

#include "tests/support/Process.h"
#include "tests/support/TempDirectory.h"
#include "tests/support/XvfbEnvironment.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

GRALITH_TEST_WITH_XVFB();

namespace {

// Red for the first 20 s, blue after: blocks to loop over.
const char* const Script = R"(<Demo>
  <Effect Name="red"><ClearScreen><Color r="1" g="0" b="0" a="1"/></ClearScreen></Effect>
  <Effect Name="blue"><ClearScreen><Color r="0" g="0" b="1" a="1"/></ClearScreen></Effect>
  <Stage><Block Start="0" Length="20" Effect="red"/><Block Start="20" Length="30" Effect="blue"/></Stage>
</Demo>)";

class PreviewProgram : public ::testing::Test {
protected:
    void SetUp() override {
        data.Write("demo.xml", Script);
        pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            // The sanitizer build's leak checker: what the toolkit libraries under SDL and Mesa's GL
            // driver keep for the process is not ours. The driver is unloaded with the display, which
            // would hide its name from the suppressions, so it is loaded for the whole run.
            setenv("LSAN_OPTIONS",
                   "suppressions=" GRALITH_TEST_SOURCE_DIR "/tests/velorin/dialogs/toolkit-leaks.supp"
                   ":print_suppressions=0",
                   1);
            setenv("ASAN_OPTIONS", "detect_leaks=1:verify_asan_link_order=0", 1);
            setenv("LD_PRELOAD", "libGLX_mesa.so.0 /usr/lib/x86_64-linux-gnu/dri/swrast_dri.so", 1);
            dup2(open((scratch / "out.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 1);
            dup2(open((scratch / "err.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 2);
            execl(HALCYRA_PREVIEW, HALCYRA_PREVIEW, "--data", data.Path().c_str(), "--size", "320x200",
                  static_cast<char*>(nullptr));
            _exit(127);
        }
    }
    void TearDown() override {
        if (pid > 0) {
            kill(pid, SIGTERM);
            waitpid(pid, nullptr, 0);
        }
    }

    std::string Output() const {
        std::ifstream in(scratch / "out.txt");
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    // Waits up to 15 s for the n-th line of the output that starts with text; answers it.
    std::string WaitFor(const std::string& text, int n = 1) const {
        for (int i = 0; i < 150; ++i) {
            std::istringstream out(Output());
            int seen = 0;
            for (std::string line; std::getline(out, line);)
                if (line.rfind(text, 0) == 0 && ++seen == n)
                    return line;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        ADD_FAILURE() << "no line " << n << " starting with '" << text << "' in:\n" << Output();
        return std::string();
    }
    // Types keys into the preview's window, found by its title (xwininfo reads SDL's UTF-8
    // titles, xdotool's name search does not).
    void Press(const std::string& keys) {
        std::string id = GralithTest::Run("xwininfo -root -tree | awk '/\"Halcyra preview/ {print $1; exit}'");
        ASSERT_FALSE(id.empty()) << "no preview window";
        id.pop_back();
        ASSERT_EQ(
            0, std::system(
                   ("xdotool windowfocus " + id + " sleep 0.2 key --delay 50 " + keys + " >/dev/null 2>&1").c_str()));
    }
    double TimeOf(const std::string& line) const {
        double t = -1.0;
        size_t at = line.find(" at ");
        if (at != std::string::npos)
            std::sscanf(line.c_str() + at + 4, "%lf", &t);
        return t;
    }

    GralithTest::TempDirectory data;
    GralithTest::TempDirectory scratch;
    pid_t pid = -1;
};

TEST_F(PreviewProgram, KeysMoveTheTransportEditsReloadAndEscapeQuits) {
    WaitFor("preview: playing");
    Press("space");
    std::string pause = WaitFor("preview: pause");
    EXPECT_NE(std::string::npos, pause.find(" paused")) << pause;
    double paused = TimeOf(pause);
    Press("Right Right");
    EXPECT_NEAR(paused + 2.0, TimeOf(WaitFor("preview: forward at", 2)), 1e-3);
    Press("shift+Right");
    EXPECT_NEAR(paused + 2.0 + 1.875, TimeOf(WaitFor("preview: forward a bar")), 1e-3);
    Press("Home");
    EXPECT_EQ(0.0, TimeOf(WaitFor("preview: home")));
    Press("l");
    EXPECT_NE(std::string::npos, WaitFor("preview: loop").find("looping")) << "the red block under the cursor";

    data.Write("demo.xml", "<Demo><Effect Name=\"x\"><Nothing/></Effect></Demo>");
    EXPECT_NE(std::string::npos, WaitFor("preview: reload failed").find("Failed to load effect 'x'"));
    data.Write("demo.xml", Script);
    WaitFor("preview: reloaded after demo.xml changed");

    Press("Escape");
    int status = -1;
    for (int i = 0; i < 100 && pid > 0; ++i) {
        if (waitpid(pid, &status, WNOHANG) == pid)
            pid = -1;
        else
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    ASSERT_EQ(-1, pid) << "still running after Escape";
    std::ifstream err(scratch / "err.txt");
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
        << std::string(std::istreambuf_iterator<char>(err), std::istreambuf_iterator<char>());
}

} // namespace
