#include "tests/velorin/dialogs/ScreenTools.h"

#include "tests/support/XvfbEnvironment.h"

#include <cairo.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>
#include <unistd.h>

// GTK, fontconfig and friends keep process-lifetime caches that the leak checker of the
// sanitizer build would report; the dialogs' own allocations are freed explicitly. The shared
// Xvfb header already supplies the suppression hook, so the list comes as a file.
extern "C" const char* __lsan_default_options() {
    return "suppressions=" GRALITH_TEST_SOURCE_DIR "/tests/velorin/dialogs/toolkit-leaks.supp";
}

GRALITH_TEST_WITH_XVFB();

namespace VelorinTest {

namespace {

bool ReadNumber(FILE* f, int& value) {
    int c = std::fgetc(f);
    while (c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '#') {
        if (c == '#')
            while (c != '\n' && c != EOF)
                c = std::fgetc(f);
        c = std::fgetc(f);
    }
    if (c < '0' || c > '9')
        return false;
    value = 0;
    while (c >= '0' && c <= '9') {
        value = value * 10 + (c - '0');
        c = std::fgetc(f);
    }
    return true; // the single white space after the number is consumed
}

} // namespace

Screenshot TakeScreenshot() {
    Screenshot shot;
    char path[] = "/tmp/velorin-shot-XXXXXX";
    int fd = mkstemp(path);
    if (fd < 0)
        return shot;
    close(fd);
    std::string command = std::string("import -window root -depth 8 ppm:") + path + " 2>/dev/null";
    if (std::system(command.c_str()) == 0) {
        FILE* f = std::fopen(path, "rb");
        int maxValue = 0;
        if (f && std::fgetc(f) == 'P' && std::fgetc(f) == '6' && ReadNumber(f, shot.width) &&
            ReadNumber(f, shot.height) && ReadNumber(f, maxValue) && maxValue == 255) {
            shot.rgb.resize(static_cast<size_t>(shot.width) * shot.height * 3);
            if (std::fread(shot.rgb.data(), 1, shot.rgb.size(), f) != shot.rgb.size())
                shot = Screenshot();
        } else {
            shot = Screenshot();
        }
        if (f)
            std::fclose(f);
    }
    if (const char* keep = std::getenv("VELORIN_TEST_KEEP_SCREENSHOT"))
        std::rename(path, keep); // for looking at a failure by eye
    else
        std::remove(path);
    return shot;
}

double MatchFraction(const Screenshot& shot, int x, int y, cairo_surface_t* image, int tolerance) {
    int w = cairo_image_surface_get_width(image);
    int h = cairo_image_surface_get_height(image);
    int stride = cairo_image_surface_get_stride(image);
    const unsigned char* data = cairo_image_surface_get_data(image);
    if (shot.width < x + w || shot.height < y + h || x < 0 || y < 0)
        return 0.0;
    long matching = 0;
    for (int row = 0; row < h; ++row) {
        const uint32_t* line = reinterpret_cast<const uint32_t*>(data + row * stride);
        for (int col = 0; col < w; ++col) {
            uint32_t argb = line[col]; // opaque, so not scaled by alpha
            int expected[3] = {int((argb >> 16) & 255), int((argb >> 8) & 255), int(argb & 255)};
            const uint8_t* seen = shot.At(x + col, y + row);
            bool same = true;
            for (int c = 0; c < 3; ++c)
                same = same && std::abs(expected[c] - seen[c]) <= tolerance;
            matching += same;
        }
    }
    return double(matching) / (double(w) * h);
}

double WaitForImage(int x, int y, cairo_surface_t* image, int timeoutMs) {
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    double fraction = 0.0;
    do {
        fraction = MatchFraction(TakeScreenshot(), x, y, image);
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

std::string WindowSize(const std::string& titleRegex) {
    std::string out = GralithTest::Run("xdotool search --sync --onlyvisible --name '" + titleRegex +
                                       "' getwindowgeometry %1 2>/dev/null");
    size_t at = out.find("Geometry: ");
    if (at == std::string::npos)
        return "";
    size_t end = out.find('\n', at);
    return out.substr(at + 10, end == std::string::npos ? std::string::npos : end - at - 10);
}

struct Watchdog::State {
    std::mutex mutex;
    std::condition_variable done;
    bool finished = false;
    std::thread thread;
};

Watchdog::Watchdog(int seconds) : state(new State) {
    state->thread = std::thread([s = state, seconds] {
        std::unique_lock<std::mutex> lock(s->mutex);
        if (!s->done.wait_for(lock, std::chrono::seconds(seconds), [s] { return s->finished; })) {
            std::fprintf(stderr, "dialog still open after %d s: giving up\n", seconds);
            std::_Exit(3);
        }
    });
}

Watchdog::~Watchdog() {
    {
        std::lock_guard<std::mutex> lock(state->mutex);
        state->finished = true;
    }
    state->done.notify_all();
    state->thread.join();
    delete state;
}

} // namespace VelorinTest
