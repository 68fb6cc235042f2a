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

/// Where the visible window whose title matches is on the screen, and its size; waits up to
/// 10 s for it. A window that is being mapped can vanish from under one query, so it asks again.
struct WindowBox {
    int x = -1, y = -1, width = 0, height = 0;
    std::string Size() const { return std::to_string(width) + "x" + std::to_string(height); }
};
WindowBox FindWindowBox(const std::string& titleRegex);

} // namespace VelorinTest
