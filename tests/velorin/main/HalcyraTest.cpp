// The halcyra executable driven from outside on the test's own X server: dialog, window, keys.

#include "velorin/dialogs/Banner.h"
#include "velorin/dialogs/ConfigDialog.h"
#include "velorin/dialogs/ErrorDialog.h"
#include "velorin/dialogs/Toolkit.h"

#include "tests/support/OggEncoder.h"
#include "tests/support/Process.h"
#include "tests/support/TempDirectory.h"
#include "tests/velorin/dialogs/ScreenTools.h"

#include <cairo.h>
#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <chrono>
#include <cmath>
#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

// ScreenTools starts the X server for this program.

namespace {

using Velorin::ConfigDialog;
using namespace VelorinTest;

const char* const dialogTitle = "^Halcyra - Brightmoot 08 Invitation$";
const char* const windowTitle = "Halcyra - Brightmoot 2008 Invitation";

// Red from 0 to 100 s.
const char* const redScript = R"(<Demo>
  <Effect Name="red"><ClearScreen><Color r="1" g="0" b="0" a="1"/></ClearScreen></Effect>
  <Stage><Block Start="0" Length="100" Effect="red"/></Stage>
</Demo>)";

std::string Music() {
    std::vector<float> samples(44100 * 2 * 3);
    for (size_t i = 0; i < samples.size() / 2; ++i)
        samples[2 * i] = samples[2 * i + 1] = 0.3f * static_cast<float>(std::sin(i * 2.0 * M_PI * 220.0 / 44100.0));
    return GralithTest::EncodeOgg(samples, 2, 44100, 0.1f);
}

class Halcyra : public ::testing::Test {
protected:
    void TearDown() override {
        if (pid > 0) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
    }

    // Starts the program in the data folder's parent, as `cd build && ./halcyra` does.
    void Start() {
        pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            if (chdir(folder.Path().c_str()) != 0)
                _exit(126);
            // The sanitizer build's leak checker: the toolkit's process-lifetime caches are not ours.
            setenv("LSAN_OPTIONS",
                   "suppressions=" GRALITH_TEST_SOURCE_DIR "/tests/velorin/dialogs/toolkit-leaks.supp"
                   ":print_suppressions=0",
                   1);
            int err = open((scratch / "stderr.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            dup2(err, 2);
            execl(HALCYRA, HALCYRA, static_cast<char*>(nullptr));
            _exit(127);
        }
    }

    // The exit code, or -1 when the program had not ended in time (it is then killed).
    int WaitForExit(int seconds) {
        auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
        while (std::chrono::steady_clock::now() < end) {
            int status = 0;
            pid_t done = waitpid(pid, &status, WNOHANG);
            if (done == pid) {
                pid = -1;
                return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return -1;
    }

    std::string Stderr() {
        std::ifstream in(scratch / "stderr.txt");
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    template <class Rect>
    static bool Click(const char* title, Rect r) {
        return ClickInWindow(title, r.x + r.width / 2, r.y + r.height / 2);
    }

    // The viewer's choice for a windowed show: untick "Fullscreen", press "Transform".
    static void StartWindowed() {
        ASSERT_TRUE(ClickInWindow(dialogTitle, 140, 290));
        ASSERT_TRUE(Click(dialogTitle, ConfigDialog::StartButtonRect));
    }

    // SDL titles its windows in UTF-8, which xdotool's name search does not read; xwininfo
    // lists every top-level window with its title, size and place.
    struct XWindow {
        std::string id;
        int width = 0, height = 0, x = 0, y = 0;
    };

    static bool FindWindow(const std::string& title, XWindow& found) {
        std::istringstream tree(GralithTest::Run("xwininfo -root -tree 2>/dev/null"));
        std::string line;
        std::string key = "\"" + title + "\":";
        while (std::getline(tree, line)) {
            size_t at = line.find(key);
            if (at == std::string::npos)
                continue;
            std::istringstream head(line);
            std::string id;
            head >> id;
            if (GralithTest::Run("xwininfo -id " + id + " 2>/dev/null").find("IsViewable") == std::string::npos)
                continue;
            size_t geometry = line.find("  ", line.find(')', at));
            int rx = 0, ry = 0;
            if (geometry == std::string::npos || std::sscanf(line.c_str() + geometry, " %dx%d%d%d %d%d", &found.width,
                                                             &found.height, &rx, &ry, &found.x, &found.y) != 6)
                continue;
            found.id = id;
            return true;
        }
        return false;
    }

    static bool WaitForWindow(const std::string& title, XWindow& found, int seconds = 15) {
        auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
        do {
            if (FindWindow(title, found))
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        } while (std::chrono::steady_clock::now() < end);
        return false;
    }

    static bool WindowExists(const std::string& title) {
        XWindow ignored;
        return FindWindow(title, ignored);
    }

    static bool PressKey(const XWindow& window, const char* keys) {
        return std::system(
                   ("xdotool windowfocus " + window.id + " sleep 0.2 key " + keys + " >/dev/null 2>&1").c_str()) == 0;
    }

    // Top-left corner of a toolkit window on the screen.
    static bool WindowOrigin(const char* title, int& x, int& y) {
        std::string out = GralithTest::Run(std::string("xdotool search --sync --onlyvisible --name '") + title +
                                           "' getwindowgeometry %1 2>/dev/null");
        size_t at = out.find("Position: ");
        return at != std::string::npos && std::sscanf(out.c_str() + at, "Position: %d,%d", &x, &y) == 2;
    }

    // Waits until the pixel at (x, y) of the screen has the colour.
    static bool WaitForPixel(int x, int y, int r, int g, int b, int seconds) {
        auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
        do {
            Screenshot shot = TakeScreenshot();
            if (shot.width > x && shot.height > y) {
                const uint8_t* p = shot.At(x, y);
                if (std::abs(p[0] - r) <= 2 && std::abs(p[1] - g) <= 2 && std::abs(p[2] - b) <= 2)
                    return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        } while (std::chrono::steady_clock::now() < end);
        return false;
    }

    GralithTest::TempDirectory folder;
    GralithTest::TempDirectory scratch;
    pid_t pid = -1;
};

TEST_F(Halcyra, DialogComesFirstAndDissolveEndsWithoutAWindow) {
    folder.Write("data/demo.xml", redScript);
    Start();
    EXPECT_EQ("401x361", WindowSize(dialogTitle));
    int x = 0, y = 0;
    ASSERT_TRUE(WindowOrigin(dialogTitle, x, y));
    ASSERT_TRUE(Velorin::Toolkit::Initialize());
    cairo_surface_t* banner = Velorin::Banner::Draw(ConfigDialog::BannerWidth, ConfigDialog::BannerHeight, "HALCYRA",
                                                    "Brightmoot 2008 Invitation", Velorin::Banner::AccentInvitation);
    EXPECT_GE(WaitForImage(x, y, banner), 0.98);
    cairo_surface_destroy(banner);
    EXPECT_FALSE(WindowExists(windowTitle));

    ASSERT_TRUE(Click(dialogTitle, ConfigDialog::QuitButtonRect));
    EXPECT_EQ(0, WaitForExit(10));
    EXPECT_EQ("", Stderr());
}

TEST_F(Halcyra, TransformOpensTheShowAndEscapeEndsIt) {
    folder.Write("data/demo.xml", redScript);
    folder.Write("data/music/music.ogg", Music());
    Start();
    StartWindowed();
    // The dialog's default resolution, a window of its own with the show's title.
    XWindow window;
    ASSERT_TRUE(WaitForWindow(windowTitle, window));
    EXPECT_EQ(1024, window.width);
    EXPECT_EQ(768, window.height);
    // The music plays, so the block at 0..100 s is active and paints the window red.
    EXPECT_TRUE(WaitForPixel(window.x + 512, window.y + 384, 255, 0, 0, 10));
    EXPECT_FALSE(WindowExists("BASS"));
    // The device makes the window again for its pixel format: take the one now on screen.
    ASSERT_TRUE(FindWindow(windowTitle, window));

    ASSERT_TRUE(PressKey(window, "Escape"));
    EXPECT_EQ(0, WaitForExit(10));
    EXPECT_EQ("", Stderr());
}

TEST_F(Halcyra, MissingMusicIsToldTwiceAndTheShowRunsWithNothingActive) {
    folder.Write("data/demo.xml", redScript);
    Start();
    StartWindowed();
    // "file not found?", then "can not play stream?": two boxes captioned BASS, one after the
    // other (the second is wider: its text is longer), owned by the show's window.
    XWindow window;
    ASSERT_TRUE(WaitForWindow(windowTitle, window));
    int widths[2] = {};
    for (int box = 0; box < 2; ++box) {
        XWindow message;
        ASSERT_TRUE(WaitForWindow("BASS", message)) << "message box " << box;
        widths[box] = message.width;
        ASSERT_TRUE(FindWindow(windowTitle, window));
        EXPECT_NE(std::string::npos,
                  GralithTest::Run("xprop -id " + message.id + " WM_TRANSIENT_FOR").find(window.id.substr(2)));
        ASSERT_TRUE(PressKey(message, "Return")) << "message box " << box;
        for (int i = 0; i < 50 && FindWindow("BASS", message) && message.width == widths[box]; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    EXPECT_LT(widths[0], widths[1]);
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    EXPECT_FALSE(WindowExists("BASS"));
    // Without music the time is negative: the block at 0..100 s never draws.
    EXPECT_FALSE(WaitForPixel(window.x + 512, window.y + 384, 255, 0, 0, 1)) << "a block drew without music";
    ASSERT_TRUE(FindWindow(windowTitle, window));

    ASSERT_TRUE(PressKey(window, "Escape"));
    EXPECT_EQ(0, WaitForExit(10));
}

// Reads the clipboard the way any other program on the display would.
std::string ClipboardText() {
    gchar* text = gtk_clipboard_wait_for_text(gtk_clipboard_get(GDK_SELECTION_CLIPBOARD));
    std::string result = text ? text : "";
    g_free(text);
    return result;
}

TEST_F(Halcyra, BrokenScriptShowsTheMessageAndExitsOneAfterClose) {
    folder.Write("data/demo.xml", "<Demo><Effect Name=\"odd\"><Sparkle/></Effect></Demo>");
    folder.Write("data/music/music.ogg", Music());
    Start();
    StartWindowed();
    const char* errorTitle = "^Halcyra$";
    EXPECT_EQ("400x328", WindowSize(errorTitle));
    // The presentation window stays open behind the dialog.
    EXPECT_TRUE(WindowExists(windowTitle));

    // Select the details and copy them, as a viewer reporting the error would.
    ASSERT_TRUE(ClickInWindow(errorTitle, 100, 180));
    ASSERT_TRUE(Velorin::Toolkit::Initialize());
    // On a busy machine the keys can arrive before the dialog has the focus: try again, with
    // longer pauses, until something was copied.
    std::string copied;
    for (int attempt = 1; attempt <= 4 && copied.empty(); ++attempt) {
        const std::string pause = std::to_string(0.2 * attempt);
        ASSERT_EQ(0, std::system(("xdotool search --onlyvisible --name '^Halcyra$' windowfocus %1 sleep " + pause +
                                  " key ctrl+a sleep " + pause + " key ctrl+c sleep " + pause + " >/dev/null 2>&1")
                                     .c_str()));
        copied = ClipboardText();
    }
    EXPECT_EQ("Failed to load effect 'odd': Invalid effect class: Sparkle", copied);

    ASSERT_TRUE(Click(errorTitle, Velorin::ErrorDialog::CloseButtonRect));
    EXPECT_EQ(1, WaitForExit(10));
}

TEST(HalcyraWithoutDisplay, SaysWhyAndExitsOne) {
    GralithTest::TempDirectory scratch;
    std::string command =
        std::string("env -u DISPLAY -u WAYLAND_DISPLAY '") + HALCYRA + "' 2>'" + (scratch / "err.txt") + "'";
    int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(1, WEXITSTATUS(status));
    std::ifstream in(scratch / "err.txt");
    std::string line;
    std::getline(in, line);
    EXPECT_EQ("Unable to open a display for the configuration dialog", line);
}

} // namespace
