// The scene effect's decisions as functions of the music time, where the show's cue times are
// decided: fade, glow, flashes, overlays, the camera's cuts on strong bass, and the motion
// functions under them. The effect, the frames and the music trust these times.

#include "velorin/effects/ShowTimeline.h"
#include "velorin/Globals.h"
#include "velorin/effects/Motion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <initializer_list>
#include <set>
#include <utility>
#include <vector>

namespace {

namespace Show = Velorin::ShowTimeline;
using Show::Overlay;

class ShowTimeline : public ::testing::Test {
protected:
    void SetUp() override { Velorin::Tempo = 128.0f; }
    void TearDown() override { Velorin::Tempo = 0.0f; }
};

TEST_F(ShowTimeline, LayerStrengthsAtTheirMusicTimes) {
    const struct {
        const char* what;
        float (*f)(float);
        std::vector<std::pair<float, float>> points; // time, value
    } curves[] = {
        {"fade", Show::Fade, {{0, 0}, {2, 0.5f}, {4, 1}, {30, 1}, {45.99f, 0.5f}, {46.49f, 0}, {47, -0.51f}}},
        {"glow boost",
         Show::GlowBoost,
         {{13.17f, 15}, {13.176f, 1}, {42.71f, 1}, {42.72f, 10}, {44.48f, 10}, {44.49f, 1}}},
        {"glow at bass 0.1", [](float t) { return Show::GlowStrength(t, 0.1f); }, {{30, 1.3f}, {43, 8.5f}}},
        {"flash", Show::Flash, {{0, 0}, {14.64f, 0}, {15.05f, 1}, {22.53f, 1}, {27, 0}, {30.04f, 1}, {48, 0}}},
        {"intro logo", Show::IntroAlpha, {{0, 0}, {2, 0.5f}, {6, 1}, {9, 0.5f}, {12, 0}}},
        {"pulse 10 -2 +4 ^2",
         [](float t) { return Velorin::Pulse(t, 10, 2, 4, 2); },
         {{9, 0.25f}, {12, 0.25f}, {7.9f, 0}, {14.1f, 0}}},
        {"beat ^4",
         [](float t) { return Velorin::Beat(t, 4); },
         {{0, 1}, {60 / 128.0f, 1}, {30 / 128.0f, 0}, {52.5f / 128, 0.25f}}},
    };
    for (const auto& c : curves)
        for (auto [t, value] : c.points)
            EXPECT_NEAR(value, c.f(t), 1e-4f) << c.what << " at " << t;
    EXPECT_GT(Show::Flash(44.9f), 1.1f) << "44.9 follows 44.49 closely: the pulses add up";
    Velorin::Tempo = 0.0f;
    EXPECT_EQ(1.0f, Velorin::Beat(0.3f, 4.0f)) << "without music nothing pulses";
}

// The show's random numbers are glibc's rand() sequence on every platform: its first values after
// seed 1 (the show's), and where the C library is glibc, its rand() itself for other seeds.
TEST_F(ShowTimeline, ShowRandomIsGlibcsSequenceEverywhere) {
    Velorin::SeedShowRandom(1);
    for (int value : {1804289383, 846930886, 1681692777, 1714636915, 1957747793})
        EXPECT_EQ(value, Velorin::ShowRandom());
#ifdef __GLIBC__
    for (unsigned seed : {0u, 1u, 2u, 12345u, 2147483647u, 4294967295u}) {
        Velorin::SeedShowRandom(seed);
        std::srand(seed);
        int differing = 0;
        for (int i = 0; i < 1000; ++i)
            differing += Velorin::ShowRandom() != std::rand();
        EXPECT_EQ(0, differing) << "seed " << seed;
    }
#endif
}

TEST_F(ShowTimeline, SmoothNoiseInterpolatesTheTable) {
    EXPECT_EQ(Velorin::SmoothNoise(5, -2.0f), Velorin::Noise1(5, -2.0f));
    EXPECT_NEAR(Velorin::SmoothNoise(5, 3.25f), 0.75f * Velorin::Noise1(5, 3.0f) + 0.25f * Velorin::Noise1(5, 4.0f),
                1e-6f);
    EXPECT_NEAR(Velorin::SmoothNoise(9, 3.9999f), Velorin::Noise1(9, 4.0f), 1e-3f);
}

TEST_F(ShowTimeline, OverlaysChangeAtTheirMusicTimes) {
    const struct {
        float t;
        Overlay kind;
        int title;
        float image = NAN; // past the last card's fade it is no colour at all
    } cases[] = {
        {0.0f, Overlay::Intro, 0, 0.0f},   {15.05f, Overlay::Intro, 0, 0.0f}, {15.06f, Overlay::Logo, 0, 1.0f},
        {22.52f, Overlay::Logo, 0, 1.0f},  {22.53f, Overlay::None, 0, 0.0f},  {30.03f, Overlay::None, 0, 0.0f},
        {30.04f, Overlay::Title, 1, 1.0f}, {33.58f, Overlay::Title, 1, 1.0f}, {33.59f, Overlay::Title, 2, 1.0f},
        {37.43f, Overlay::Title, 3, 1.0f}, {41.21f, Overlay::Title, 4, 1.0f}, {44.48f, Overlay::Title, 4, 1.0f},
        {44.49f, Overlay::Title, 5, 1.0f}, {46.99f, Overlay::Title, 5, 0.5f}, {49.16f, Overlay::Title, 5},
        {49.17f, Overlay::Ended, 0},
    };
    for (const auto& c : cases) {
        auto layers = Show::SelectOverlay(c.t);
        EXPECT_EQ(c.kind, layers.kind) << c.t;
        EXPECT_EQ(c.title, layers.title) << c.t;
        if (!std::isnan(c.image)) {
            EXPECT_NEAR(c.image, layers.imageColor, 1e-4f) << c.t;
        }
    }
    // The streaks pulse with the beat: full on it (15.0 s is beat 32), half between.
    EXPECT_NEAR(1.0f, Show::SelectOverlay(15.0f + 60.0f / 128.0f).streakColor, 1e-3f);
    EXPECT_NEAR(0.5f, Show::SelectOverlay(15.0f + 1.5f * 60.0f / 128.0f).streakColor, 1e-6f);
}

TEST_F(ShowTimeline, StrongBassCutsAtMostEveryHalfSecond) {
    // Strong bass in the steps listed (1/60 s each); answers the cuts in the first second.
    auto cuts = [](std::initializer_list<int> strong) {
        Show::CutTrack track;
        track.OffsetAt(1.0, [&](double s) {
            int step = static_cast<int>(std::lround(s * 60.0)) - 1;
            return std::find(strong.begin(), strong.end(), step) != strong.end() ? 0.8f : 0.45f;
        });
        return track.GetCutCount();
    };
    EXPECT_EQ(1, cuts({0, 18})); // 0.3 s apart
    EXPECT_EQ(2, cuts({0, 31})); // just over 0.5 s apart
    EXPECT_EQ(0, cuts({})) << "0.45 is not strong enough";
}

TEST_F(ShowTimeline, CutOffsetAtATimeIsTheSameHoweverItIsReached) {
    // Bass strong for a tenth of every 0.7 s: a cut each time, a different offset each cut.
    auto bass = [](double s) { return std::fmod(s, 0.7) < 0.1 ? 0.9f : 0.0f; };
    Show::CutTrack direct;
    const float at10 = direct.OffsetAt(10.0, bass);
    EXPECT_EQ(15, direct.GetCutCount());
    for (double frameRate : {24.0, 60.0, 144.0}) {
        Show::CutTrack played;
        std::set<float> offsets;
        for (double t = 0.0; t < 10.0; t += 1.0 / frameRate)
            offsets.insert(played.OffsetAt(t, bass));
        EXPECT_EQ(at10, played.OffsetAt(10.0, bass)) << frameRate << " fps";
        EXPECT_EQ(16u, offsets.size()) << "0 before the first cut, then one offset per cut";
        for (float offset : offsets)
            EXPECT_LE(std::fabs(offset), 100.0f);
    }
    direct.OffsetAt(30.0, bass);
    EXPECT_EQ(at10, direct.OffsetAt(10.0, bass)) << "seeking back replays from the start";
    EXPECT_EQ(0.0f, direct.OffsetAt(-1.0, bass)) << "before the music nothing has cut";
}

} // namespace
