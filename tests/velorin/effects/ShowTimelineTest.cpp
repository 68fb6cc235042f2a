// The scene effect's decisions as functions of the music time: fade, glow, flashes, overlays,
// and the camera's cuts on strong bass.

#include "velorin/effects/ShowTimeline.h"
#include "velorin/Globals.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

namespace Show = Velorin::ShowTimeline;
using Show::Overlay;

class ShowTimeline : public ::testing::Test {
protected:
    void SetUp() override { Velorin::Tempo = 128.0f; }
    void TearDown() override { Velorin::Tempo = 0.0f; }
};

TEST_F(ShowTimeline, EveryLayerHasZeroColourAtTheStart) {
    EXPECT_EQ(Show::Fade(0.0f), 0.0f);
    EXPECT_EQ(Show::Flash(0.0f), 0.0f);
    EXPECT_EQ(Show::IntroAlpha(0.0f), 0.0f);
    auto layers = Show::SelectOverlay(0.0f);
    EXPECT_EQ(layers.kind, Overlay::Intro);
    EXPECT_EQ(layers.imageColor, 0.0f);
}

TEST_F(ShowTimeline, FadeRisesOverFourSecondsAndFallsBelowZeroAfter46_49) {
    EXPECT_FLOAT_EQ(Show::Fade(2.0f), 0.5f);
    EXPECT_FLOAT_EQ(Show::Fade(4.0f), 1.0f);
    EXPECT_FLOAT_EQ(Show::Fade(30.0f), 1.0f);
    EXPECT_NEAR(Show::Fade(45.99f), 0.5f, 1e-4f);
    EXPECT_NEAR(Show::Fade(46.49f), 0.0f, 1e-5f);
    EXPECT_LT(Show::Fade(47.0f), 0.0f);
}

TEST_F(ShowTimeline, GlowBoostIsFifteenBeforeTheDropAndTenInTheHeaviestPassage) {
    EXPECT_EQ(Show::GlowBoost(0.0f), 15.0f);
    EXPECT_EQ(Show::GlowBoost(13.17f), 15.0f);
    EXPECT_EQ(Show::GlowBoost(13.176f), 1.0f);
    EXPECT_EQ(Show::GlowBoost(42.71f), 1.0f);
    EXPECT_EQ(Show::GlowBoost(42.72f), 10.0f);
    EXPECT_EQ(Show::GlowBoost(44.48f), 10.0f);
    EXPECT_EQ(Show::GlowBoost(44.49f), 1.0f);
    // Ten times the strength per unit of bass.
    EXPECT_FLOAT_EQ(Show::GlowStrength(43.0f, 0.1f) - 0.5f, 10.0f * (Show::GlowStrength(30.0f, 0.1f) - 0.5f));
    EXPECT_FLOAT_EQ(Show::GlowStrength(30.0f, 0.0f), 0.5f);
}

TEST_F(ShowTimeline, FlashesPeakOnTheAccents) {
    EXPECT_EQ(Show::Flash(14.64f), 0.0f);
    EXPECT_GT(Show::Flash(14.7f), 0.0f);
    EXPECT_FLOAT_EQ(Show::Flash(15.05f), 1.0f);
    EXPECT_FLOAT_EQ(Show::Flash(22.53f), 1.0f);
    EXPECT_FLOAT_EQ(Show::Flash(30.04f), 1.0f);
    EXPECT_EQ(Show::Flash(27.0f), 0.0f);
    // 44.9 follows 44.49 closely: the pulses add up.
    EXPECT_GT(Show::Flash(44.9f), 1.1f);
    EXPECT_EQ(Show::Flash(48.0f), 0.0f);
}

TEST_F(ShowTimeline, IntroLogoFadesInHoldsAndFadesOut) {
    EXPECT_FLOAT_EQ(Show::IntroAlpha(2.0f), 0.5f);
    EXPECT_FLOAT_EQ(Show::IntroAlpha(6.0f), 1.0f);
    EXPECT_FLOAT_EQ(Show::IntroAlpha(9.0f), 0.5f);
    EXPECT_EQ(Show::IntroAlpha(12.0f), 0.0f);
}

TEST_F(ShowTimeline, OverlaysChangeAtTheirMusicTimes) {
    struct Case {
        float t;
        Overlay kind;
        int title;
    };
    const Case cases[] = {
        {15.05f, Overlay::Intro, 0}, {15.06f, Overlay::Logo, 0},  {22.52f, Overlay::Logo, 0},
        {22.53f, Overlay::None, 0},  {30.03f, Overlay::None, 0},  {30.04f, Overlay::Title, 1},
        {33.58f, Overlay::Title, 1}, {33.59f, Overlay::Title, 2}, {37.43f, Overlay::Title, 3},
        {41.21f, Overlay::Title, 4}, {44.48f, Overlay::Title, 4}, {44.49f, Overlay::Title, 5},
        {49.16f, Overlay::Title, 5}, {49.17f, Overlay::Ended, 0}, {60.0f, Overlay::Ended, 0},
    };
    for (const Case& c : cases) {
        auto layers = Show::SelectOverlay(c.t);
        EXPECT_EQ(layers.kind, c.kind) << c.t;
        EXPECT_EQ(layers.title, c.title) << c.t;
    }
}

TEST_F(ShowTimeline, StreaksPulseOnTheBeatAndTheLastTitleFadesOut) {
    // 15.0 s is beat 32: full streak.
    auto onBeat = Show::SelectOverlay(15.0f + 60.0f / 128.0f);
    EXPECT_NEAR(onBeat.streakColor, 1.0f, 1e-3f);
    EXPECT_EQ(onBeat.imageColor, 1.0f);
    auto between = Show::SelectOverlay(15.0f + 1.5f * 60.0f / 128.0f);
    EXPECT_NEAR(between.streakColor, 0.5f, 1e-6f);

    auto fading = Show::SelectOverlay(46.99f);
    EXPECT_NEAR(fading.imageColor, 0.5f, 1e-4f);
    float b = fading.streakColor / fading.imageColor;
    EXPECT_GE(b, 0.5f - 1e-5f);
    EXPECT_LE(b, 1.0f + 1e-5f);
    EXPECT_EQ(Show::SelectOverlay(45.0f).imageColor, 1.0f);
}

// Frames of 1/60 s; strong bass only on the frames listed.
int CountCuts(const std::vector<int>& strongFrames, int frames, float* offset = nullptr) {
    float timer = 0.0f, o = 0.0f;
    int cuts = 0;
    for (int f = 0; f < frames; ++f) {
        bool strong = std::find(strongFrames.begin(), strongFrames.end(), f) != strongFrames.end();
        if (Show::StepCut(timer, o, 1.0f / 60.0f, strong ? 0.8f : 0.1f))
            ++cuts;
    }
    if (offset)
        *offset = o;
    return cuts;
}

TEST_F(ShowTimeline, StrongBassCutsAtMostEveryHalfSecond) {
    std::srand(3);
    EXPECT_EQ(CountCuts({0, 18}, 60), 1); // 0.3 s apart
    EXPECT_EQ(CountCuts({0, 31}, 60), 2); // just over 0.5 s apart
    EXPECT_EQ(CountCuts({0, 1, 2, 3, 4, 5}, 30), 1);
}

} // namespace
