#include "tests/velorin/dialogs/ScreenTools.h"

#include "tests/support/XvfbEnvironment.h"

#include <cairo.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <regex>
#include <sstream>
#include <thread>

// GTK, fontconfig and friends keep process-lifetime caches that the leak checker of the
// sanitizer build would report; the dialogs' own allocations are freed explicitly. The shared
// Xvfb header already supplies the suppression hook, so the list comes as a file.
extern "C" const char* __lsan_default_options() {
    return "suppressions=" GRALITH_TEST_SOURCE_DIR "/tests/velorin/dialogs/toolkit-leaks.supp";
}

GRALITH_TEST_WITH_XVFB();

namespace VelorinTest {

Screenshot TakeScreenshot() {
    Screenshot shot;
    // ImageMagick writes a binary PPM with a plain header: "P6\n<w> <h>\n255\n".
    const std::string ppm = GralithTest::Run("import -window root -depth 8 ppm:-");
    int maxValue = 0, header = 0;
    if (std::sscanf(ppm.c_str(), "P6 %d %d %d%n", &shot.width, &shot.height, &maxValue, &header) != 3 ||
        maxValue != 255 || ppm.size() != header + 1 + static_cast<size_t>(shot.width) * shot.height * 3)
        return Screenshot();
    shot.rgb.assign(ppm.begin() + header + 1, ppm.end());
    return shot;
}

double WaitForImage(int x, int y, cairo_surface_t* image, int timeoutMs) {
    const int w = cairo_image_surface_get_width(image), h = cairo_image_surface_get_height(image);
    const int stride = cairo_image_surface_get_stride(image);
    const unsigned char* data = cairo_image_surface_get_data(image);
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    double fraction = 0.0;
    do {
        Screenshot shot = TakeScreenshot();
        long matching = 0;
        for (int row = 0; row < h && x >= 0 && y >= 0 && shot.width >= x + w && shot.height >= y + h; ++row)
            for (int col = 0; col < w; ++col) {
                uint32_t argb = reinterpret_cast<const uint32_t*>(data + row * stride)[col]; // opaque
                const uint8_t* seen = shot.At(x + col, y + row);
                matching += std::abs(int((argb >> 16) & 255) - seen[0]) <= 3 &&
                            std::abs(int((argb >> 8) & 255) - seen[1]) <= 3 && std::abs(int(argb & 255) - seen[2]) <= 3;
            }
        fraction = double(matching) / (double(w) * h);
        if (fraction >= 0.98)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    } while (std::chrono::steady_clock::now() < end);
    return fraction;
}

bool ClickInWindow(const std::string& titleRegex, int x, int y) {
    std::string command = "xdotool search --sync --onlyvisible --name '" + titleRegex + "' mousemove --window %1 " +
                          std::to_string(x) + " " + std::to_string(y) + " sleep 0.1 click 1 >/dev/null 2>&1";
    return std::system(command.c_str()) == 0;
}

bool FindWindow(const std::string& titleRegex, XWindow& found, int seconds) {
    const std::regex title(titleRegex);
    auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    do {
        std::istringstream tree(GralithTest::Run("xwininfo -root -tree 2>/dev/null"));
        for (std::string line; std::getline(tree, line);) {
            size_t open = line.find('"'), at = line.find("\": (", open);
            if (at == std::string::npos || !std::regex_search(line.substr(open + 1, at - open - 1), title))
                continue;
            std::istringstream(line) >> found.id;
            int rx = 0, ry = 0;
            size_t geometry = line.find("  ", line.find(')', at));
            if (GralithTest::Run("xwininfo -id " + found.id + " 2>/dev/null").find("IsViewable") != std::string::npos &&
                geometry != std::string::npos &&
                std::sscanf(line.c_str() + geometry, " %dx%d%d%d %d%d", &found.width, &found.height, &rx, &ry, &found.x,
                            &found.y) == 6)
                return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    } while (std::chrono::steady_clock::now() < end);
    return false;
}

bool PressKeys(const XWindow& window, const std::string& keys) {
    return std::system(("xdotool windowfocus " + window.id + " sleep 0.2 key --delay 50 " + keys + " >/dev/null 2>&1")
                           .c_str()) == 0;
}

} // namespace VelorinTest
