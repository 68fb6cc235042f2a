#pragma once

// Looking at and clicking on the dialogs from outside, as a viewer would: screenshots of the
// root window with ImageMagick and pointer clicks with xdotool, on the test's own Xvfb.

#include <cstdint>
#include <functional>
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

/// Fraction (0..1) of the image's pixels found within tolerance at (x, y) of the screenshot.
double MatchFraction(const Screenshot& shot, int x, int y, _cairo_surface* image, int tolerance = 3);

/// Takes screenshots until the image appears at (x, y) (at least 98% of its pixels) or the
/// time runs out; answers the last fraction seen.
double WaitForImage(int x, int y, _cairo_surface* image, int timeoutMs = 5000);

/// Clicks at (x, y) inside the client area of the visible window whose title matches the
/// regular expression, waiting for the window to appear. True when xdotool succeeded.
bool ClickInWindow(const std::string& titleRegex, int x, int y);

/// "WIDTHxHEIGHT" of the visible window whose title matches, as the X server reports it.
std::string WindowSize(const std::string& titleRegex);

/// Ends the process when the guarded block has not finished in time, so a dialog that never
/// closes fails the test instead of hanging it.
class Watchdog {
public:
    explicit Watchdog(int seconds);
    ~Watchdog();

private:
    struct State;
    State* state;
};

} // namespace VelorinTest
