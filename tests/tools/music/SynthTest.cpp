// The music tool's building blocks on small signals: the limiter's ceiling and look-ahead, the
// encoder's round trip and failures, and the tool's low-band estimate against the engine's
// spectrum.
#include "Analysis.h"
#include "Dsp.h"
#include "Kick.h"
#include "Limiter.h"
#include "OggWriter.h"

#include "gralith/sound/MusicStream.h"

#include "tests/support/TempDirectory.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

using namespace Halcyra::Music;

namespace {

Track Sine(double seconds, double hz, float amplitude) {
    Track t(ToFrame(seconds));
    for (int i = 0; i < t.Frames(); ++i)
        t.left[static_cast<size_t>(i)] = t.right[static_cast<size_t>(i)] =
            amplitude * static_cast<float>(std::sin(2.0 * Pi * hz * i / SampleRate));
    return t;
}

float Peak(const Track& t, int from = 0, int to = -1) {
    float peak = 0.0f;
    for (int i = from; i < (to < 0 ? t.Frames() : to); ++i)
        peak = std::max({peak, std::fabs(t.left[static_cast<size_t>(i)]), std::fabs(t.right[static_cast<size_t>(i)])});
    return peak;
}

TEST(MusicLimiter, HoldsTheCeilingAndLeavesQuietPassagesAlone) {
    Track t = Sine(1.0, 220.0, 0.3f);
    const int spike = ToFrame(0.5);
    for (int i = spike; i < spike + 200; ++i)
        t.left[static_cast<size_t>(i)] *= 4.0f; // 1.2 on the left only
    Track quiet = Sine(1.0, 220.0, 0.3f);
    Limit(t, 0.8f);
    EXPECT_LE(Peak(t), 0.8f + 1e-6f);
    // Far before the spike nothing changes; just before it the gain is already down.
    EXPECT_EQ(t.left[1000], quiet.left[1000]);
    EXPECT_LT(Peak(t, spike - ToFrame(0.002), spike), 0.29f);
    // It recovers: most of the level is back 0.3 s later.
    EXPECT_GT(Peak(t, spike + ToFrame(0.3), spike + ToFrame(0.32)), 0.27f);
    Limit(quiet, 0.8f);
    EXPECT_EQ(Peak(quiet), Peak(Sine(1.0, 220.0, 0.3f)));
}

TEST(MusicOggWriter, RoundTripKeepsLengthLevelAndSides) {
    GralithTest::TempDirectory dir;
    Track t = Sine(2.0, 440.0, 0.5f);
    std::fill(t.right.begin(), t.right.end(), 0.0f);
    WriteOgg(dir / "sine.ogg", t, 0.6f);
    EXPECT_NEAR(0.5f, DecodedPeak(dir / "sine.ogg"), 0.03f);
    Gralith::Sound::MusicStream stream;
    stream.Open((dir / "sine.ogg").c_str());
    ASSERT_EQ(2 * 44100 * 4, stream.GetLength());
    std::vector<float> samples(2 * 44100);
    stream.GetSamplesAt(0, samples.data(), 44100);
    float left = 0.0f, right = 0.0f;
    for (size_t i = 0; i < samples.size(); i += 2) {
        left = std::max(left, std::fabs(samples[i]));
        right = std::max(right, std::fabs(samples[i + 1]));
    }
    EXPECT_GT(left, 0.45f);
    EXPECT_LT(right, 0.05f) << "the left side stays on the left";
}

TEST(MusicOggWriter, FailuresNameThePath) {
    try {
        WriteOgg("/proc/no-such-dir/x.ogg", Sine(0.1, 440.0, 0.5f), 0.6f);
        FAIL() << "writing into /proc succeeded";
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to create /proc/no-such-dir/x.ogg");
    }
    GralithTest::TempDirectory dir;
    dir.Write("x.ogg", "this is not an Ogg stream at all");
    EXPECT_THROW(DecodedPeak(dir / "x.ogg"), std::runtime_error);
}

TEST(MusicAnalysis, LowBandMatchesTheEngineSpectrum) {
    Track t(ToFrame(1.0));
    RenderKick(t, 0.2, 0.3, 0.6f, 1.0f, 3);
    std::vector<float> interleaved;
    for (int i = 0; i < t.Frames(); ++i) {
        interleaved.push_back(t.left[static_cast<size_t>(i)]);
        interleaved.push_back(0.5f * t.right[static_cast<size_t>(i)]);
        t.right[static_cast<size_t>(i)] *= 0.5f;
    }
    Gralith::Sound::MusicStream stream;
    stream.OpenSamples(interleaved.data(), t.Frames(), 2);
    float spectrum[256];
    for (double s : {0.0, 0.19, 0.25, 0.3, 0.4}) {
        stream.GetSpectrumAt(Gralith::Sound::MusicStream::SecondsToBytes(s), spectrum);
        // The stream holds 16-bit samples: agreement to their resolution.
        EXPECT_NEAR(LowBand(t, s), spectrum[0], 2e-4) << "at " << s << " s";
    }
}

} // namespace
