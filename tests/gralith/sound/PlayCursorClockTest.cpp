#include "gralith/sound/PlayCursorClock.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>

using Gralith::Sound::PlayCursorClock;

namespace {

constexpr double Rate = 176400.0; // 44100 Hz 16-bit stereo

// An output that plays at rateFactor times the nominal rate and moves its cursor once per step,
// read by a caller that comes back after a pseudo-random pause between the two bounds.
struct Output {
    double rateFactor;
    double step;
    double minPause;
    double maxPause;
    double latency; // seconds before the output starts to play
    double stallAt; // the cursor stops here (seconds), as when the output starves

    double Played(double t) const { return std::max(0.0, std::min(t, stallAt) - latency); }
    double Truth(double t) const { return Rate * rateFactor * Played(t); }
    double Cursor(double t) const { return Rate * rateFactor * step * std::floor(Played(t) / step); }
};

struct Trace {
    double worstJolt = 0.0;  // largest |heard advance - nominal advance| between two readings
    double worstError = 0.0; // largest |heard - truth| after the first half second
    double lastHeard = 0.0;
    double lastCursor = 0.0;
    bool monotonic = true;
};

Trace Follow(const Output& output, double seconds) {
    PlayCursorClock clock;
    clock.Start(0.0, 0.0, Rate);
    uint32_t seed = 12345;
    double t = 0.0, previous = 0.0;
    Trace trace;
    while (t < seconds) {
        seed = seed * 1664525u + 1013904223u;
        double pause = output.minPause + (output.maxPause - output.minPause) * ((seed >> 8) / 16777216.0);
        double before = t;
        t += pause;
        double heard = clock.Observe(t, output.Cursor(t));
        if (heard < previous)
            trace.monotonic = false;
        if (t > 0.5 && t < output.stallAt) {
            trace.worstJolt = std::max(trace.worstJolt, std::fabs((heard - previous) - Rate * (t - before)));
            trace.worstError = std::max(trace.worstError, std::fabs(heard - output.Truth(t)));
        }
        previous = heard;
    }
    trace.lastHeard = previous;
    trace.lastCursor = output.Cursor(t);
    return trace;
}

} // namespace

TEST(PlayCursorClock, SteppedCursorBecomesSmoothAndStaysNearTheTruth) {
    struct Case {
        const char* name;
        Output output;
    };
    const Case cases[] = {
        {"10 ms steps, frequent readings", {1.0, 0.010, 0.0005, 0.002, 0.0, 1e9}},
        {"10 ms steps, one reading per frame", {1.0, 0.010, 0.014, 0.019, 0.0, 1e9}},
        {"starting 25 ms late", {1.0, 0.010, 0.001, 0.005, 0.025, 1e9}},
        {"starting 7 ms late, one reading per frame", {1.0, 0.010, 0.014, 0.019, 0.007, 1e9}},
        {"output clock 0.5% fast", {1.005, 0.010, 0.014, 0.019, 0.003, 1e9}},
        {"output clock 0.5% slow", {0.995, 0.010, 0.014, 0.019, 0.003, 1e9}},
        {"40 ms steps", {1.0, 0.040, 0.001, 0.020, 0.013, 1e9}},
    };
    for (const Case& c : cases) {
        Trace trace = Follow(c.output, 5.0);
        const double step = Rate * c.output.step;
        EXPECT_TRUE(trace.monotonic) << c.name;
        // The raw cursor jolts by a whole step; the followed position by a small part of one.
        EXPECT_LT(trace.worstJolt, 0.2 * step) << c.name;
        EXPECT_LT(trace.worstError, 1.5 * step) << c.name;
    }
}

TEST(PlayCursorClock, StalledCursorHoldsTheEstimateWithinTheLead) {
    Output output{1.0, 0.010, 0.001, 0.004, 0.0, 1.0};
    Trace trace = Follow(output, 2.0);
    EXPECT_TRUE(trace.monotonic);
    EXPECT_LE(trace.lastHeard, trace.lastCursor + Rate * PlayCursorClock::MaxLead);
    EXPECT_GE(trace.lastHeard, trace.lastCursor);
}

TEST(PlayCursorClock, CursorBelowThePreviousStartsOver) {
    PlayCursorClock clock;
    clock.Start(0.0, 1000.0, Rate);
    EXPECT_DOUBLE_EQ(1000.0, clock.GetHeard());
    EXPECT_NEAR(1000.0 + Rate * 0.01, clock.Observe(0.01, 1000.0 + Rate * 0.01), 1.0);
    EXPECT_DOUBLE_EQ(400.0, clock.Observe(0.02, 400.0));
    // Followed from the new start at the same rate.
    EXPECT_NEAR(400.0 + Rate * 0.005, clock.Observe(0.025, 400.0), 1.0);
}

TEST(PlayCursorClock, RateChangeContinuesFromTheHeardPosition) {
    PlayCursorClock clock;
    clock.Start(0.0, 0.0, Rate);
    double before = clock.Observe(0.1, Rate * 0.1);
    clock.SetRate(0.1, 2.0 * Rate);
    EXPECT_DOUBLE_EQ(2.0 * Rate, clock.GetRate());
    EXPECT_NEAR(before + 2.0 * Rate * 0.002, clock.Observe(0.102, before + 2.0 * Rate * 0.002), 1.0);
}
