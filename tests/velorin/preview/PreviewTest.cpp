// halcyra-preview driven from outside on the test's own X server: real key presses, a script
// edited on disk while it runs, and what it reports on its standard output.

#include "tests/support/Process.h"
#include "tests/support/TempDirectory.h"
#include "tests/velorin/dialogs/ScreenTools.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <sstream>
#include <thread>

// ScreenTools starts the X server for this program.

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
        // The sanitizer build's leak checker: Mesa's GL driver is unloaded with the display, which
        // would hide its name from the suppressions, so it is loaded for the whole run.
        preview = std::make_unique<GralithTest::BackgroundProcess>(
            VELORIN_TEST_LEAK_OPTIONS
            " ASAN_OPTIONS=detect_leaks=1:verify_asan_link_order=0 "
            "LD_PRELOAD='libGLX_mesa.so.0 /usr/lib/x86_64-linux-gnu/dri/swrast_dri.so' '" HALCYRA_PREVIEW "' --data '" +
            data.Path() + "' --size 320x200");
    }

    // Waits up to 15 s for the n-th line of the output that starts with text; answers it.
    std::string WaitFor(const std::string& text, int n = 1) const {
        for (int i = 0; i < 150; ++i) {
            std::istringstream out(preview->Out());
            int seen = 0;
            for (std::string line; std::getline(out, line);)
                if (line.rfind(text, 0) == 0 && ++seen == n)
                    return line;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        ADD_FAILURE() << "no line " << n << " starting with '" << text << "' in:\n" << preview->Out();
        return std::string();
    }
    void Press(const std::string& keys) {
        VelorinTest::XWindow window;
        ASSERT_TRUE(VelorinTest::FindWindow("^Halcyra preview", window)) << "no preview window";
        ASSERT_TRUE(VelorinTest::PressKeys(window, keys));
    }
    double TimeOf(const std::string& line) const {
        double t = -1.0;
        size_t at = line.find(" at ");
        if (at != std::string::npos)
            std::sscanf(line.c_str() + at + 4, "%lf", &t);
        return t;
    }

    GralithTest::TempDirectory data;
    std::unique_ptr<GralithTest::BackgroundProcess> preview;
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
    EXPECT_EQ(0, preview->Wait(10)) << "still running after Escape, or failed: " << preview->Err();
}

} // namespace
