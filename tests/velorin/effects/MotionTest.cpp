// The motion functions that drive the camera, the flashes and the beat pulses.

#include "velorin/effects/Motion.h"
#include "velorin/Globals.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using Velorin::Beat;
using Velorin::Noise1;
using Velorin::NoiseVector;
using Velorin::Pulse;
using Velorin::SmoothNoise;

class TempoGuard : public ::testing::Test {
protected:
    void SetUp() override { Velorin::Tempo = 128.0f; }
    void TearDown() override { Velorin::Tempo = 0.0f; }
};

TEST(Noise, SmoothNoiseMatchesTheTableAtIntegersAndInterpolatesBetween) {
    EXPECT_EQ(SmoothNoise(5, 3.0f), Noise1(5, 3.0f));
    EXPECT_EQ(SmoothNoise(5, -2.0f), Noise1(5, -2.0f));
    EXPECT_NEAR(SmoothNoise(5, 3.5f), 0.5f * (Noise1(5, 3.0f) + Noise1(5, 4.0f)), 1e-6f);
    EXPECT_NEAR(SmoothNoise(5, 3.25f), 0.75f * Noise1(5, 3.0f) + 0.25f * Noise1(5, 4.0f), 1e-6f);
    // Continuous across an integer step.
    EXPECT_NEAR(SmoothNoise(9, 3.9999f), Noise1(9, 4.0f), 1e-3f);
}

TEST(Pulse, RisesAndDecaysWithTheExponentAndIsZeroOutside) {
    EXPECT_NEAR(Pulse(9.0f, 10.0f, 2.0f, 4.0f, 2.0f), 0.25f, 1e-6f);
    EXPECT_NEAR(Pulse(12.0f, 10.0f, 2.0f, 4.0f, 2.0f), 0.25f, 1e-6f);
    EXPECT_EQ(Pulse(8.0f, 10.0f, 2.0f, 4.0f, 2.0f), 0.0f);
    EXPECT_EQ(Pulse(14.0f, 10.0f, 2.0f, 4.0f, 2.0f), 0.0f);
    EXPECT_EQ(Pulse(7.9f, 10.0f, 2.0f, 4.0f, 2.0f), 0.0f);
    EXPECT_EQ(Pulse(14.1f, 10.0f, 2.0f, 4.0f, 2.0f), 0.0f);
    // Exponent 8 of the flashes: half way down the decay is 1/256.
    EXPECT_NEAR(Pulse(16.05f, 15.05f, 0.4f, 2.0f, 8.0f), 1.0f / 256.0f, 1e-5f);
}

TEST_F(TempoGuard, BeatPeaksOnEveryBeatAndRestsBetween) {
    EXPECT_EQ(Beat(0.0f, 4.0f), 1.0f);
    EXPECT_NEAR(Beat(60.0f / 128.0f, 4.0f), 1.0f, 1e-4f);
    EXPECT_NEAR(Beat(10.0f * 60.0f / 128.0f, 4.0f), 1.0f, 1e-3f);
    EXPECT_NEAR(Beat(15.0f / 128.0f, 4.0f), 0.0f, 1e-6f);
    EXPECT_NEAR(Beat(45.0f / 128.0f, 4.0f), 0.0f, 1e-6f);
    for (float t = 16.0f / 128.0f; t < 45.0f / 128.0f; t += 1.0f / 256.0f)
        EXPECT_EQ(Beat(t, 4.0f), 0.0f) << t;
    // A quarter of the way to the peak (an eighth of a beat before it): cos(pi/4)^4 = 0.25.
    EXPECT_NEAR(Beat(60.0f / 128.0f - 7.5f / 128.0f, 4.0f), 0.25f, 1e-4f);
}

TEST(Beat, WithoutMusicTheTempoIsZeroAndBeatStaysAtOne) {
    Velorin::Tempo = 0.0f;
    EXPECT_EQ(Beat(0.3f, 4.0f), 1.0f);
    EXPECT_EQ(Beat(17.0f, 4.0f), 1.0f);
}

} // namespace
