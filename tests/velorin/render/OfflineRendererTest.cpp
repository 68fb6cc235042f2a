// The offline renderer in process: the end of the presentation and the music's spectrum at each
// frame's time.

#include "velorin/render/OfflineRenderer.h"

#include "velorin/Effect.h"
#include "velorin/Globals.h"
#include "velorin/Presentation.h"
#include "velorin/Script.h"
#include "velorin/Settings.h"
#include "velorin/Timeline.h"

#include "tests/support/OggEncoder.h"
#include "tests/support/TempDirectory.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// Ends the show from 2 s on, as the scene effect does at its last moment, and notes what it saw.
class Ending : public Velorin::Effect {
public:
    static inline int renders = 0;
    static inline double lastTime = 0.0;
    static inline double lastDelta = 0.0;
    static inline float lastSpectrum[Velorin::SpectrumSize] = {};

    void Render() override {
        ++renders;
        lastTime = Velorin::MusicTime;
        lastDelta = Velorin::FrameDelta;
        std::copy(Velorin::Spectrum, Velorin::Spectrum + Velorin::SpectrumSize, lastSpectrum);
        if (Velorin::MusicTime >= 2.0)
            Velorin::EndPresentation();
    }
};

class OfflineRendererTest : public ::testing::Test {
protected:
    void SetUp() override {
        Velorin::RegisterEffectClass("Ending", [] { return static_cast<Velorin::Effect*>(new Ending); });
        data.Write("demo.xml", R"(<Demo><Effect Name="e"><Ending/></Effect>
            <Stage><Block Start="0" Length="100" Effect="e"/></Stage></Demo>)");
    }
    void TearDown() override { Velorin::ResetTimeline(); }
    GralithTest::TempDirectory data;
};

TEST_F(OfflineRendererTest, SpectrumIsTheMusicsAtTheFramesTimeAndEndingStopsInsteadOfExiting) {
    // Silence for one second, then a loud sine on bin 20 (20 * 44100 / 512 Hz).
    std::vector<float> samples(2 * 44100, 0.0f), tone = GralithTest::Sine(44100, 2, 20.0 * 44100.0 / 512.0, 0.9f);
    samples.insert(samples.end(), tone.begin(), tone.end());
    data.Write("music/music.ogg", GralithTest::EncodeOgg(samples, 2, 44100));

    Velorin::OfflineRenderer renderer(data.Path(), 16, 8, 2.0f);
    EXPECT_EQ(2.0f, Velorin::Aspect);
    EXPECT_EQ(128.0f, Velorin::Tempo);
    EXPECT_NEAR(2.0, renderer.GetMusicLength(), 0.01);
    ASSERT_TRUE(renderer.Render(0.5, 0.0));
    EXPECT_LT(Ending::lastSpectrum[20], 0.01f);
    ASSERT_TRUE(renderer.Render(1.5, 0.25));
    EXPECT_EQ(1.5, Ending::lastTime);
    EXPECT_EQ(0.25, Ending::lastDelta);
    EXPECT_GT(Ending::lastSpectrum[20], 0.5f);
    EXPECT_LT(Ending::lastSpectrum[60], 0.05f);
    EXPECT_EQ(16u * 8u * 4u, renderer.ReadFrame().size());
    EXPECT_FALSE(renderer.Render(2.0, 0.5));
    int renders = Ending::renders;
    EXPECT_FALSE(renderer.Render(0.5, 0.5)) << "once ended, nothing more is drawn";
    EXPECT_EQ(renders, Ending::renders);
}

} // namespace
