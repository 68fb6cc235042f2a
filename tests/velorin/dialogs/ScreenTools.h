#pragma once

// Looking at and clicking on the dialogs from outside, as a viewer would: screenshots of the
// root window with ImageMagick and pointer clicks with xdotool, on the test's own Xvfb.

#include <cstdint>
#include <string>
#include <vector>

struct _cairo_surface;

namespace VelorinTest {

struct Screenshot {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb; // rows top to bottom, 3 bytes per pixel

    const uint8_t* At(int x, int y) const { return &rgb[(static_cast<size_t>(y) * width + x) * 3]; }
};

/// The whole screen now; empty when the capture failed.
Screenshot TakeScreenshot();

/// Takes screenshots until the image appears at (x, y) of the screen (98% of its pixels within
/// a small tolerance) or the time runs out; answers the last fraction seen.
double WaitForImage(int x, int y, _cairo_surface* image, int timeoutMs = 5000);

/// Clicks at (x, y) inside the client area of the visible window whose title matches the
/// regular expression, waiting for the window to appear. True when xdotool succeeded.
bool ClickInWindow(const std::string& titleRegex, int x, int y);

/// A viewable top-level window whose title matches the regular expression, and where it is on
/// the screen; found with xwininfo, which reads SDL's UTF-8 titles (xdotool's name search does
/// not). Waits up to the seconds given for it; a window being mapped can vanish from under one
/// look, so it looks again.
struct XWindow {
    std::string id;
    int width = 0, height = 0, x = 0, y = 0;
    std::string Size() const { return std::to_string(width) + "x" + std::to_string(height); }
};
bool FindWindow(const std::string& titleRegex, XWindow& found, int seconds = 0);

/// Types keys (xdotool's names) into the window. True when xdotool succeeded.
bool PressKeys(const XWindow& window, const std::string& keys);

/// The leak checker's options for a program started from a test: what the toolkits keep for the
/// process is not ours.
#define VELORIN_TEST_LEAK_OPTIONS                                                                                      \
    "LSAN_OPTIONS=suppressions=" GRALITH_TEST_SOURCE_DIR                                                               \
    "/tests/velorin/dialogs/toolkit-leaks.supp:print_suppressions=0"

} // namespace VelorinTest
