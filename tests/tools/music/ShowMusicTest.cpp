// Properties of the generated music that a viewer would notice when broken: its format and
// length, clipping, the kick on the beat grid, the accents under the picture's flashes, the quiet
// bass band of the intro, and the strong hits the camera cuts on. Each decodes the built file
// through the engine's music stream, as the show does.
#include "gralith/sound/MusicStream.h"
#include "velorin/effects/ShowCues.h"

#include <gtest/gtest.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <unistd.h>

using Gralith::Sound::MusicStream;

namespace {

constexpr double Pi = 3.14159265358979323846;
namespace Cues = Velorin::ShowCues;
constexpr double Beat = 60.0 / Cues::Tempo;
constexpr double Drop = Cues::Drop;
constexpr double Rate = MusicStream::SampleRate;
// The picture flashes here: the music must accent each.
const auto& Accents = Cues::Flashes;

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
    static void TearDownTestSuite() {
        music->Release();
        music = nullptr;
    }

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
            double g = std::tan(Pi * cutoff / Rate), k = std::sqrt(2.0);
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
        size_t a = static_cast<size_t>(std::max(0.0, from * Rate));
        size_t b = std::min(signal.size(), static_cast<size_t>(std::max(0.0, to * Rate)));
        double sum = 0.0;
        for (size_t i = a; i < b; ++i)
            sum += static_cast<double>(signal[i]) * signal[i];
        return b > a ? sum / static_cast<double>(b - a) : 0.0;
    }
    static double Rms(double from, double to) { return std::sqrt(Power(mono, from, to)); }

    static MusicStream* music;
    static std::vector<float> stereo, mono;
};

MusicStream* ShowMusic::music = nullptr;
std::vector<float> ShowMusic::stereo, ShowMusic::mono;

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST_F(ShowMusic, IsStereo44kHzVorbisThatOutlastsTheShow) {
    OggVorbis_File file;
    ASSERT_EQ(ov_fopen(HALCYRA_MUSIC_FILE, &file), 0);
    vorbis_info* info = ov_info(&file, -1);
    EXPECT_EQ(info->rate, 44100);
    EXPECT_EQ(info->channels, 2);
    double seconds = ov_time_total(&file, -1);
    ov_clear(&file);
    // The show ends itself at 49.17 s: the music must still be there.
    EXPECT_GE(seconds, 49.5);
    EXPECT_GE(MusicStream::BytesToSeconds(music->GetLength()), 49.5);
}

TEST_F(ShowMusic, PeaksStayBelowMinusOneDecibelAndTheMixIsNotTimid) {
    float peak = 0.0f;
    for (float s : stereo)
        peak = std::max(peak, std::fabs(s));
    double db = 20.0 * std::log10(peak);
    std::printf("peak %.2f dBFS\n", db);
    RecordProperty("peak_dbfs", std::to_string(db));
    EXPECT_LT(db, -1.0);
    EXPECT_GT(db, -4.0);
}

TEST_F(ShowMusic, IntroKeepsTheBassBandQuietAndRisesIntoTheDrop) {
    // Before the drop the glow is 0.5 + 120 x the lowest band: it must not flood the frame.
    float highest = 0.0f;
    for (int frame = 0; frame / 60.0 < Drop; ++frame)
        highest = std::max(highest, LowBand(frame / 60.0));
    std::printf("lowest band before the drop: max %.4f\n", highest);
    EXPECT_LT(highest, 0.02f);
    // ...yet the intro is music, not silence: pads from the first seconds, louder towards the riser.
    EXPECT_GT(Rms(1.0, 4.0), 0.01);
    EXPECT_GT(Rms(9.0, 12.8), Rms(1.0, 4.0));
    // The riser climbs into a short breath before the drop...
    std::vector<float> high = Filtered(2500.0, true);
    std::printf("riser: top band %.2e at 8-9 s, %.2e at 12-12.85 s; breath %.4f vs %.4f rms\n", Power(high, 8.0, 9.0),
                Power(high, 12.0, 12.85), Rms(12.95, 13.15), Rms(12.5, 12.85));
    EXPECT_GT(Power(high, 12.0, 12.85), 4.0 * Power(high, 8.0, 9.0));
    EXPECT_LT(Rms(12.95, 13.15), 0.5 * Rms(12.5, 12.85));
    // ...and the drop lands: the bass band jumps right after it.
    std::vector<float> low = Filtered(120.0, false);
    EXPECT_GT(Power(low, Drop, Drop + 0.3), 100.0 * Power(low, 11.0, 13.0));
}

TEST_F(ShowMusic, KickOnsetsFollowTheBeatGridAfterTheDrop) {
    std::vector<float> low = Filtered(200.0, false);
    int onBeat = 0, beats = 0, offBeatRises = 0;
    auto rise = [&](double t) { return Power(low, t, t + 0.05) / std::max(Power(low, t - 0.05, t), 1e-12); };
    for (int beat = 29; beat <= 94; ++beat) {
        double t = beat * Beat;
        ++beats;
        if (rise(t) > 3.0)
            ++onBeat;
        // A kick a little late or early would show its rise between the grid points instead.
        if (rise(t + 0.06) > 3.0 || rise(t - 0.06) > 3.0)
            ++offBeatRises;
    }
    std::printf("kick onsets on %d of %d beats, %d rises off the grid\n", onBeat, beats, offBeatRises);
    EXPECT_EQ(onBeat, beats);
    EXPECT_LE(offBeatRises, beats / 10);
}

TEST_F(ShowMusic, EveryFlashHasItsAccent) {
    // Onset strength of the top band in 5 ms steps: power just after over power just before.
    std::vector<float> high = Filtered(2500.0, true);
    auto onset = [&](double t) { return Power(high, t, t + 0.02) - Power(high, t - 0.04, t - 0.005); };
    auto nearAccent = [](double t, double within) {
        for (double a : Accents)
            if (std::fabs(t - a) <= within)
                return true;
        return false;
    };
    for (double accent : Accents) {
        double best = 0.0, bestAt = 0.0, elsewhere = 0.0, elsewhereAt = 0.0;
        for (double t = accent - 1.0; t <= accent + 1.0; t += 0.005) {
            double o = onset(t);
            if (std::fabs(t - accent) <= 0.06) {
                if (o > best) {
                    best = o;
                    bestAt = t;
                }
            } else if (!nearAccent(t, 0.15) && o > elsewhere) {
                elsewhere = o;
                elsewhereAt = t;
            }
        }
        std::printf("accent %.2f s: onset at %+.0f ms, %.1fx the strongest other onset within 1 s (%.3f s)\n", accent,
                    1000.0 * (bestAt - accent), best / std::max(elsewhere, 1e-12), elsewhereAt);
        EXPECT_GT(best, 1.5 * elsewhere) << "no accent within 60 ms of " << accent << " s";
    }
}

TEST_F(ShowMusic, StrongHitsCutTheCameraOnSomeBeatsButNotMost) {
    // Beats whose lowest band passes the camera's cut threshold at 60 frames per second.
    int strongBeats = 0, beats = 0;
    for (int beat = 29; beat <= 94; ++beat, ++beats) {
        float highest = 0.0f;
        for (int frame = static_cast<int>(std::ceil(beat * Beat * 60.0)); frame / 60.0 < (beat + 0.5) * Beat; ++frame)
            highest = std::max(highest, LowBand(frame / 60.0));
        if (highest > 0.45f)
            ++strongBeats;
    }
    // The effect's cut: a timer run down by the frame time, a cut on a strong band once it expired.
    int cuts = 0;
    double timer = 0.0;
    std::vector<float> afterDrop;
    bool cutAtDrop = false;
    for (int frame = 0; frame / 60.0 < Cues::End; ++frame) {
        double t = frame / 60.0;
        float band = LowBand(t);
        if (t >= 13.2 && t <= 45.0)
            afterDrop.push_back(band);
        timer -= 1.0 / 60.0;
        if (timer < 0.0 && band > 0.45f) {
            ++cuts;
            timer = 0.5;
            cutAtDrop = cutAtDrop || (t >= Drop && t < Drop + 0.3);
        }
    }
    std::sort(afterDrop.begin(), afterDrop.end());
    float median = afterDrop[afterDrop.size() / 2];
    std::printf("%d of %d beats strong, %d cuts, median lowest band after the drop %.3f\n", strongBeats, beats, cuts,
                median);
    RecordProperty("cuts", cuts);
    RecordProperty("median_low_band", std::to_string(median));
    EXPECT_GE(strongBeats, 8);
    EXPECT_LE(strongBeats, beats / 3);
    EXPECT_GE(cuts, 8);
    EXPECT_LE(cuts, 30);
    EXPECT_TRUE(cutAtDrop);
    // A soft glow that breathes with the bass, not a dark frame nor a flooded one.
    EXPECT_GT(median, 0.02f);
    EXPECT_LT(median, 0.2f);
}

TEST_F(ShowMusic, HeavyPassageCarriesTheMostBass) {
    std::vector<float> low = Filtered(120.0, false);
    double heavy = Power(low, Cues::HeavyFrom, Cues::HeavyTo);
    for (double from = 13.5; from + 1.78 < 42.7; from += 1.78)
        EXPECT_GT(heavy, Power(low, from, from + 1.78)) << "from " << from << " s";
}

TEST_F(ShowMusic, FadesOutButStillPlaysAtTheEnd) {
    EXPECT_GT(Rms(45.0, 45.5), 2.0 * Rms(48.5, 49.5));
    // Still clearly there (above -40 dBFS) where the show ends itself.
    EXPECT_GT(Rms(48.9, 49.4), std::pow(10.0, -40.0 / 20.0));
}

TEST(HalcyraMusicTool, WritesTheSameBytesEveryRun) {
    // Per process: the plain and the sanitizer builds may run this at the same time.
    std::string path = ::testing::TempDir() + "halcyra-music-again-" + std::to_string(getpid()) + "/music.ogg";
    std::string command = std::string(HALCYRA_MUSIC_TOOL) + " " + path + " > /dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    std::string again = ReadAll(path), built = ReadAll(HALCYRA_MUSIC_FILE);
    EXPECT_GT(again.size(), 100000u);
    EXPECT_TRUE(again == built) << "the generated music differs between runs";
    std::remove(path.c_str());
    std::remove(path.substr(0, path.size() - std::string("/music.ogg").size()).c_str());
}

TEST(HalcyraMusicTool, FailsWithAMessageWhenItCannotWrite) {
    std::string command = std::string(HALCYRA_MUSIC_TOOL) + " /proc/no-such-place/music.ogg 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string output;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe))
        output += buffer;
    int status = pclose(pipe);
    EXPECT_NE(status, 0);
    EXPECT_NE(output.find("halcyra-music: "), std::string::npos) << output;
    EXPECT_EQ(std::system((std::string(HALCYRA_MUSIC_TOOL) + " 2> /dev/null").c_str()) >> 8, 2);
}

} // namespace
