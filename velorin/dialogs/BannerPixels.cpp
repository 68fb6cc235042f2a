#include "velorin/dialogs/BannerPixels.h"

#include <algorithm>
#include <cmath>

namespace Velorin {

namespace {

struct Palette {
    double top[3];
    double bottom[3];
    double streak[3];
};

// The GTK banner's colours, so both builds show the same header.
const Palette palettes[] = {
    {{0.05, 0.04, 0.16}, {0.30, 0.10, 0.42}, {0.55, 0.70, 1.00}},
    {{0.12, 0.03, 0.04}, {0.45, 0.08, 0.10}, {1.00, 0.65, 0.45}},
};

constexpr int streakCount = 5;
// Sub-rows per pixel row: the streaks' slanted edges get vertical anti-aliasing from these and
// exact horizontal coverage from the span overlap.
constexpr int subRows = 4;

uint32_t Pack(const double rgb[3]) {
    uint32_t result = 0xFF000000u;
    for (int c = 0; c < 3; ++c) {
        double v = std::clamp(rgb[c], 0.0, 1.0);
        result |= static_cast<uint32_t>(std::lround(v * 255.0)) << (16 - 8 * c);
    }
    return result;
}

void Unpack(uint32_t pixel, double rgb[3]) {
    for (int c = 0; c < 3; ++c)
        rgb[c] = ((pixel >> (16 - 8 * c)) & 0xFF) / 255.0;
}

// A streak is a parallelogram: its top edge runs from left to left + topWidth at y = 0, and both
// sides lean right by lean pixels over the full height. Its light fades in and out along the
// direction (lean, height), strongest halfway.
struct Streak {
    double left, topWidth, lean, peak;

    double Coverage(int px, int py, int height) const {
        double covered = 0.0;
        for (int s = 0; s < subRows; ++s) {
            double y = py + (s + 0.5) / subRows;
            double l = left + lean * y / height;
            double r = l + topWidth;
            covered += std::max(0.0, std::min<double>(px + 1, r) - std::max<double>(px, l));
        }
        return covered / subRows;
    }

    double Alpha(double x, double y, int height) const {
        double t = ((x - left) * lean + y * height) / (lean * lean + double(height) * height);
        t = std::clamp(t, 0.0, 1.0);
        return peak * (1.0 - std::fabs(2.0 * t - 1.0));
    }
};

} // namespace

void BannerPixels::Paint(uint32_t* pixels, int width, int height, Accent accent) {
    const Palette& p = palettes[accent == AccentError ? 1 : 0];
    double diagonal = double(width) * width + double(height) * height;

    Streak streaks[streakCount];
    for (int i = 0; i < streakCount; ++i)
        streaks[i] = {width * (0.35 + 0.13 * i), 14.0 + 6 * i, 40.0, 0.10 + 0.04 * std::sin(i * 1.7)};

    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            double cx = x + 0.5, cy = y + 0.5;
            double t = std::clamp((cx * width + cy * height) / diagonal, 0.0, 1.0);
            double rgb[3];
            for (int c = 0; c < 3; ++c)
                rgb[c] = p.top[c] + (p.bottom[c] - p.top[c]) * t;
            for (const Streak& s : streaks) {
                double a = s.Alpha(cx, cy, height) * s.Coverage(x, y, height);
                for (int c = 0; c < 3; ++c)
                    rgb[c] += (p.streak[c] - rgb[c]) * a;
            }
            pixels[size_t(y) * width + x] = Pack(rgb);
        }
    }
}

void BannerPixels::BlendWhite(uint32_t* pixels, const uint8_t* coverage, int width, int height, double alpha) {
    const double white[3] = {1.0, 1.0, 1.0};
    for (size_t i = 0, n = size_t(width) * height; i < n; ++i) {
        if (!coverage[i])
            continue;
        double a = alpha * coverage[i] / 255.0;
        double rgb[3];
        Unpack(pixels[i], rgb);
        for (int c = 0; c < 3; ++c)
            rgb[c] += (white[c] - rgb[c]) * a;
        pixels[i] = Pack(rgb);
    }
}

} // namespace Velorin
