// The halcyra executable driven from outside on the test's own X server: dialog, window, keys.

#include "velorin/dialogs/gtk/GtkConfigDialog.h"
#include "velorin/dialogs/gtk/GtkErrorDialog.h"
#include "velorin/dialogs/gtk/GtkToolkit.h"

#include "tests/support/OggEncoder.h"
#include "tests/support/Process.h"
#include "tests/support/TempDirectory.h"
#include "tests/velorin/dialogs/ScreenTools.h"

#include <cairo.h>
#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <chrono>
#include <cstdint>
#include <memory>
#include <thread>

// ScreenTools starts the X server for this program.

namespace {

using ConfigDialog = Velorin::GtkConfigDialog;
using namespace VelorinTest;

const char* const dialogTitle = "^Halcyra - Brightmoot 08 Invitation$";
const char* const errorTitle = "^Halcyra$";
const char* const windowTitle = "^Halcyra - Brightmoot 2008 Invitation$";

// Red from 0 to 100 s.
const char* const redScript = R"(<Demo>
  <Effect Name="red"><ClearScreen><Color r="1" g="0" b="0" a="1"/></ClearScreen></Effect>
  <Stage><Block Start="0" Length="100" Effect="red"/></Stage>
</Demo>)";

template <class Rect>
bool Click(const char* title, Rect r) {
    return ClickInWindow(title, r.x + r.width / 2, r.y + r.height / 2);
}

class Halcyra : public ::testing::Test {
protected:
    // Starts the program in the data folder's parent, as `cd build && ./halcyra` does.
    void Start(const std::string& script, bool music) {
        folder.Write("data/demo.xml", script);
        if (music)
            folder.Write("data/music/music.ogg",
                         GralithTest::EncodeOgg(GralithTest::Sine(3 * 44100, 2, 220, 0.3f), 2, 44100, 0.1f));
        halcyra = std::make_unique<GralithTest::BackgroundProcess>("cd '" + folder.Path() +
                                                                   "' && " VELORIN_TEST_LEAK_OPTIONS " '" HALCYRA "'");
    }

    // The viewer's choice for a windowed show: untick "Fullscreen", press "Transform".
    static void StartWindowed() {
        ASSERT_TRUE(ClickInWindow(dialogTitle, 140, 290));
        ASSERT_TRUE(Click(dialogTitle, ConfigDialog::StartButtonRect));
    }

    GralithTest::TempDirectory folder;
    std::unique_ptr<GralithTest::BackgroundProcess> halcyra;
};

TEST_F(Halcyra, DialogComesFirstAndDissolveEndsWithoutAWindow) {
    Start(redScript, true);
    XWindow window;
    ASSERT_TRUE(FindWindow(dialogTitle, window, 10));
    EXPECT_FALSE(FindWindow(windowTitle, window));
    ASSERT_TRUE(Click(dialogTitle, ConfigDialog::QuitButtonRect));
    EXPECT_EQ(0, halcyra->Wait(10));
    EXPECT_EQ("", halcyra->Err());
}

TEST_F(Halcyra, TransformOpensTheShowAndEscapeEndsIt) {
    Start(redScript, true);
    StartWindowed();
    // The dialog's default resolution, a window of its own with the show's title.
    XWindow window, box;
    ASSERT_TRUE(FindWindow(windowTitle, window, 15));
    EXPECT_EQ(1024, window.width);
    EXPECT_EQ(768, window.height);
    // The music plays, so the block at 0..100 s is active and paints the window red.
    cairo_surface_t* red = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 1, 1);
    *reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(red)) = 0xff0000;
    EXPECT_GE(WaitForImage(window.x + 512, window.y + 384, red, 10000), 0.98);
    cairo_surface_destroy(red);
    EXPECT_FALSE(FindWindow("^BASS$", box));
    // The device makes the window again for its pixel format: take the one now on screen.
    ASSERT_TRUE(FindWindow(windowTitle, window));
    ASSERT_TRUE(PressKeys(window, "Escape"));
    EXPECT_EQ(0, halcyra->Wait(10));
    EXPECT_EQ("", halcyra->Err());
}

TEST_F(Halcyra, MissingMusicIsToldTwiceInBoxesOwnedByTheShow) {
#ifdef __SANITIZE_ADDRESS__
    // Seen hanging about one run in ten on a busy machine, the box half made and untitled.
    GTEST_SKIP() << "SDL draws the box in a forked child of the threaded show, which AddressSanitizer's "
                    "allocator can deadlock; the normal build runs this case";
#endif
    Start(redScript, false);
    StartWindowed();
    // "file not found?", then "can not play stream?": two boxes captioned BASS, one after the
    // other (the second is wider: its text is longer), owned by the show's window.
    XWindow window, box;
    ASSERT_TRUE(FindWindow(windowTitle, window, 15));
    int widths[2] = {};
    for (int n = 0; n < 2; ++n) {
        ASSERT_TRUE(FindWindow("^BASS$", box, 15)) << "message box " << n;
        widths[n] = box.width;
        ASSERT_TRUE(FindWindow(windowTitle, window));
        EXPECT_NE(std::string::npos,
                  GralithTest::Run("xprop -id " + box.id + " WM_TRANSIENT_FOR").find(window.id.substr(2)));
        ASSERT_TRUE(PressKeys(box, "Return")) << "message box " << n;
        for (int i = 0; i < 50 && FindWindow("^BASS$", box) && box.width == widths[n]; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    EXPECT_LT(widths[0], widths[1]);
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    EXPECT_FALSE(FindWindow("^BASS$", box));
    ASSERT_TRUE(FindWindow(windowTitle, window));
    ASSERT_TRUE(PressKeys(window, "Escape"));
    EXPECT_EQ(0, halcyra->Wait(10));
}

TEST_F(Halcyra, BrokenScriptShowsTheMessageAndExitsOneAfterClose) {
    Start("<Demo><Effect Name=\"odd\"><Sparkle/></Effect></Demo>", true);
    StartWindowed();
    XWindow window;
    ASSERT_TRUE(FindWindow(errorTitle, window, 10));
    EXPECT_EQ("400x328", window.Size());
    EXPECT_TRUE(FindWindow(windowTitle, window)) << "the show's window stays open behind the dialog";

    // Select the details and copy them, as a viewer reporting the error would. On a busy machine
    // the keys can arrive before the dialog has the focus: try again, with longer pauses.
    ASSERT_TRUE(ClickInWindow(errorTitle, 100, 180));
    ASSERT_TRUE(Velorin::GtkToolkit::Initialize());
    std::string copied;
    for (int attempt = 1; attempt <= 4 && copied.empty(); ++attempt) {
        const std::string pause = std::to_string(0.2 * attempt);
        ASSERT_EQ(0, std::system(("xdotool search --onlyvisible --name '^Halcyra$' windowfocus %1 sleep " + pause +
                                  " key ctrl+a sleep " + pause + " key ctrl+c sleep " + pause + " >/dev/null 2>&1")
                                     .c_str()));
        gchar* text = gtk_clipboard_wait_for_text(gtk_clipboard_get(GDK_SELECTION_CLIPBOARD));
        copied = text ? text : "";
        g_free(text);
    }
    EXPECT_EQ("Failed to load effect 'odd': Invalid effect class: Sparkle", copied);
    ASSERT_TRUE(Click(errorTitle, Velorin::GtkErrorDialog::CloseButtonRect));
    EXPECT_EQ(1, halcyra->Wait(10));
}

TEST(HalcyraWithoutDisplay, SaysWhyAndExitsOne) {
    auto result = GralithTest::RunProcess(std::string("env -u DISPLAY -u WAYLAND_DISPLAY '") + HALCYRA + "'");
    EXPECT_EQ(1, result.status);
    EXPECT_EQ(0u, result.err.find("Unable to open a display for the configuration dialog\n")) << result.err;
}

} // namespace
