// Properties of the generated music that a viewer would notice when broken: its length,
// clipping, the kick on the beat grid, an accent under each of the picture's flashes (whose
// times ShowCues decides), the quiet bass band of the intro, and the strong hits the camera cuts
// on. Each decodes the built file through the engine's music stream, as the show does.
#include "gralith/sound/MusicStream.h"
#include "velorin/effects/ShowCues.h"
#include "velorin/effects/ShowTimeline.h"

#include "tests/support/Process.h"
#include "tests/support/TempDirectory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

using Gralith::Sound::MusicStream;

namespace {

namespace Cues = Velorin::ShowCues;
constexpr double Beat = 60.0 / Cues::Tempo;
constexpr double Rate = MusicStream::SampleRate;

class ShowMusic : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        music = new MusicStream();
        music->Open(HALCYRA_MUSIC_FILE);
        int frames = static_cast<int>(music->GetLength() / MusicStream::BytesPerFrame);
        stereo.resize(2 * static_cast<size_t>(frames));
        music->GetSamplesAt(0, stereo.data(), frames);
        mono.resize(static_cast<size_t>(frames));
        for (size_t i = 0; i < mono.size(); ++i)
            mono[i] = 0.5f * (stereo[2 * i] + stereo[2 * i + 1]);
    }
    static void TearDownTestSuite() { music->Release(); }

    // The lowest spectrum band at a music time, as the effect reads it.
    static float LowBand(double seconds) {
        float spectrum[MusicStream::SpectrumSize];
        music->GetSpectrumAt(MusicStream::SecondsToBytes(seconds), spectrum);
        return spectrum[0];
    }
    // Band-limited copy of the mono mix: two cascaded state-variable sections.
    static std::vector<float> Filtered(double cutoff, bool high) {
        std::vector<float> out(mono);
        for (int pass = 0; pass < 2; ++pass) {
            double g = std::tan(M_PI * cutoff / Rate), k = std::sqrt(2.0);
            double a1 = 1.0 / (1.0 + g * (g + k)), a2 = g * a1, a3 = g * a2, ic1 = 0.0, ic2 = 0.0;
            for (float& x : out) {
                double v3 = x - ic2, v1 = a1 * ic1 + a2 * v3, v2 = ic2 + a2 * ic1 + a3 * v3;
                ic1 = 2.0 * v1 - ic1;
                ic2 = 2.0 * v2 - ic2;
                x = static_cast<float>(high ? x - k * v1 - v2 : v2);
            }
        }
        return out;
    }
    // Mean power of a signal between two music times.
    static double Power(const std::vector<float>& signal, double from, double to) {
        size_t a = static_cast<size_t>(std::max(0.0, from * Rate)), b = std::min(signal.size(), size_t(to * Rate));
        double sum = 0.0;
        for (size_t i = a; i < b; ++i)
            sum += static_cast<double>(signal[i]) * signal[i];
        return b > a ? sum / static_cast<double>(b - a) : 0.0;
    }
    static double Rms(double from, double to) { return std::sqrt(Power(mono, from, to)); }

    static inline MusicStream* music = nullptr;
    static inline std::vector<float> stereo, mono;
};

// Its format is the writer's, which the synthesiser's tests read back.
TEST_F(ShowMusic, OutlastsTheShowAndPeaksBetweenMinus4AndMinus1Decibel) {
    EXPECT_GE(MusicStream::BytesToSeconds(music->GetLength()), Cues::End + 0.3);
    float peak = 0.0f;
    for (float s : stereo)
        peak = std::max(peak, std::fabs(s));
    EXPECT_LT(20.0 * std::log10(peak), -1.0);
    EXPECT_GT(20.0 * std::log10(peak), -4.0);
}

TEST_F(ShowMusic, IntroKeepsTheBassBandQuietAndTheDropLands) {
    // Before the drop the glow is 0.5 + 120 x the lowest band: it must not flood the frame.
    float highest = 0.0f;
    for (int frame = 0; frame / 60.0 < Cues::Drop; ++frame)
        highest = std::max(highest, LowBand(frame / 60.0));
    EXPECT_LT(highest, 0.02f);
    // ...yet the intro is music, not silence, and the bass band jumps right after the drop.
    EXPECT_GT(Rms(1.0, 4.0), 0.01);
    std::vector<float> low = Filtered(120.0, false);
    EXPECT_GT(Power(low, Cues::Drop, Cues::Drop + 0.3), 100.0 * Power(low, 11.0, 13.0));
}

TEST_F(ShowMusic, KickOnsetsFollowTheBeatGridAfterTheDrop) {
    std::vector<float> low = Filtered(200.0, false);
    int onBeat = 0, beats = 0, offBeatRises = 0;
    auto rise = [&](double t) { return Power(low, t, t + 0.05) / std::max(Power(low, t - 0.05, t), 1e-12); };
    for (int beat = 29; beat <= 94; ++beat, ++beats) {
        onBeat += rise(beat * Beat) > 3.0;
        // A kick a little late or early would show its rise between the grid points instead.
        offBeatRises += rise(beat * Beat + 0.06) > 3.0 || rise(beat * Beat - 0.06) > 3.0;
    }
    EXPECT_EQ(beats, onBeat);
    EXPECT_LE(offBeatRises, beats / 10);
}

TEST_F(ShowMusic, EveryFlashHasItsAccent) {
    // Onset strength of the top band: power just after over power just before.
    std::vector<float> high = Filtered(2500.0, true);
    auto onset = [&](double t) { return Power(high, t, t + 0.02) - Power(high, t - 0.04, t - 0.005); };
    for (double accent : Cues::Flashes) {
        double best = 0.0, elsewhere = 0.0;
        for (double t = accent - 1.0; t <= accent + 1.0; t += 0.005) {
            bool nearOther = std::any_of(std::begin(Cues::Flashes), std::end(Cues::Flashes),
                                         [&](double a) { return std::fabs(t - a) <= 0.15; });
            if (std::fabs(t - accent) <= 0.06)
                best = std::max(best, onset(t));
            else if (!nearOther)
                elsewhere = std::max(elsewhere, onset(t));
        }
        EXPECT_GT(best, 1.5 * elsewhere) << "no accent within 60 ms of " << accent << " s";
    }
}

TEST_F(ShowMusic, StrongHitsCutTheCameraOnSomeBeatsAndTheHeavyPassageCarriesTheMostBass) {
    // The scene effect's own cut rule on the lowest band: one on the drop, some more after it.
    Velorin::ShowTimeline::CutTrack track;
    track.OffsetAt(Cues::Drop, LowBand);
    const int beforeDrop = track.GetCutCount();
    track.OffsetAt(Cues::Drop + 0.3, LowBand);
    EXPECT_GT(track.GetCutCount(), beforeDrop);
    track.OffsetAt(Cues::End, LowBand);
    EXPECT_GE(track.GetCutCount(), 8);
    EXPECT_LE(track.GetCutCount(), 30);
    // A soft glow that breathes with the bass, not a dark frame nor a flooded one.
    std::vector<float> afterDrop;
    for (double t = 13.2; t <= 45.0; t += 1.0 / 60.0)
        afterDrop.push_back(LowBand(t));
    std::sort(afterDrop.begin(), afterDrop.end());
    EXPECT_GT(afterDrop[afterDrop.size() / 2], 0.02f);
    EXPECT_LT(afterDrop[afterDrop.size() / 2], 0.2f);

    std::vector<float> low = Filtered(120.0, false);
    double heavy = Power(low, Cues::HeavyFrom, Cues::HeavyTo);
    for (double from = 13.5; from + 1.78 < Cues::HeavyFrom; from += 1.78)
        EXPECT_GT(heavy, Power(low, from, from + 1.78)) << "from " << from << " s";
}

TEST_F(ShowMusic, FadesOutButStillPlaysWhereTheShowEnds) {
    EXPECT_GT(Rms(45.0, 45.5), 2.0 * Rms(48.5, 49.5));
    EXPECT_GT(Rms(48.9, 49.4), std::pow(10.0, -40.0 / 20.0));
}

TEST(HalcyraMusicTool, WritesTheSameBytesEveryRunAndFailsWithAMessage) {
    GralithTest::TempDirectory dir;
    ASSERT_EQ(0, GralithTest::RunProcess(std::string(HALCYRA_MUSIC_TOOL) + " '" + dir / "music.ogg" + "'").status);
    EXPECT_GT(std::filesystem::file_size(dir / "music.ogg"), 100000u);
    EXPECT_EQ(0, GralithTest::RunProcess("cmp -s '" + dir / "music.ogg" + "' '" HALCYRA_MUSIC_FILE "'").status)
        << "the generated music differs between runs";

    auto failed = GralithTest::RunProcess(std::string(HALCYRA_MUSIC_TOOL) + " /proc/no-such-place/music.ogg");
    EXPECT_NE(0, failed.status);
    EXPECT_NE(std::string::npos, failed.err.find("halcyra-music: ")) << failed.err;
    EXPECT_EQ(2, GralithTest::RunProcess(HALCYRA_MUSIC_TOOL).status);
}

} // namespace
