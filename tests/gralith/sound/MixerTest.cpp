#include "gralith/sound/Mixer.h"
#include "gralith/sound/MixerVoice.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

using Gralith::Sound::Mixer;
using Gralith::Sound::MixerVoice;

namespace {

// 16-bit stereo frames whose left sample is 100 * i and right sample -100 * i.
std::vector<int16_t> Ramp(int frames) {
    std::vector<int16_t> pcm(2 * static_cast<size_t>(frames));
    for (int i = 0; i < frames; ++i) {
        pcm[2 * i] = static_cast<int16_t>(100 * i);
        pcm[2 * i + 1] = static_cast<int16_t>(-100 * i);
    }
    return pcm;
}

MixerVoice* StereoVoice(Mixer& mixer, const std::vector<int16_t>& pcm, int rate = 44100) {
    int size = static_cast<int>(pcm.size() * 2);
    MixerVoice* voice = mixer.CreateVoice(size, 2, 16, rate);
    voice->CopyIn(pcm.data(), 0, size);
    return voice;
}

std::vector<float> Mix(Mixer& mixer, int frames, double now = 0.0, double duration = 0.0) {
    std::vector<float> out(2 * static_cast<size_t>(frames), 99.0f);
    mixer.Mix(out.data(), frames, now, duration);
    return out;
}

} // namespace

TEST(Mixer, LoopedPlayWrapsAndCountsFromThePlayPosition) {
    Mixer mixer;
    std::vector<int16_t> pcm = Ramp(10);
    MixerVoice* voice = StereoVoice(mixer, pcm);
    voice->SetPosition(7 * 4, 0.0);
    voice->Play(true, 0.0);
    std::vector<float> out = Mix(mixer, 25);
    for (int i = 0; i < 25; ++i)
        ASSERT_EQ(pcm[2 * ((7 + i) % 10)] / 32768.0f, out[2 * i]) << "frame " << i;
    EXPECT_TRUE(voice->IsPlaying());
    EXPECT_EQ(((7 + 25) % 10) * 4, voice->GetMixedPosition());
}

TEST(Mixer, FrequencyChangeResamplesLinearly) {
    Mixer mixer;
    std::vector<int16_t> pcm = Ramp(64);
    MixerVoice* voice = StereoVoice(mixer, pcm, 22050);
    voice->Play(false, 0.0);
    std::vector<float> out = Mix(mixer, 20);
    // Half the output rate: every source frame, then the midpoint to the next.
    for (int k = 0; k < 10; ++k) {
        EXPECT_FLOAT_EQ(100.0f * k / 32768.0f, out[4 * k]);
        EXPECT_FLOAT_EQ(100.0f * (k + 0.5f) / 32768.0f, out[4 * k + 2]);
    }
    EXPECT_EQ(10 * 4, voice->GetMixedPosition());
    voice->SetRate(88200);
    out = Mix(mixer, 5, 1.0);
    for (int k = 0; k < 5; ++k)
        EXPECT_FLOAT_EQ(100.0f * (10 + 2 * k) / 32768.0f, out[2 * k]);
    EXPECT_EQ(88200, voice->GetRate());
}

TEST(Mixer, MonoAnd8BitSamplesPlayOnBothSides) {
    Mixer mixer;
    MixerVoice* voice = mixer.CreateVoice(4, 1, 8, 44100);
    unsigned char bytes[4] = {128, 255, 0, 192};
    voice->CopyIn(bytes, 0, 4);
    voice->Play(false, 0.0);
    std::vector<float> out = Mix(mixer, 4);
    const float expected[4] = {0.0f, 127.0f / 128.0f, -1.0f, 0.5f};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(expected[i], out[2 * i]);
        EXPECT_EQ(expected[i], out[2 * i + 1]);
    }
}

TEST(Mixer, HeardPositionFollowsTheClockBetweenMixesAndNeverGoesBack) {
    Mixer mixer;
    MixerVoice* voice = StereoVoice(mixer, Ramp(4096));
    voice->Play(false, 10.0);
    EXPECT_EQ(0.0, voice->GetHeardFrame(10.5)); // nothing mixed yet: nothing heard
    Mix(mixer, 512, 11.0);
    EXPECT_EQ(512 * 4, voice->GetMixedPosition());
    EXPECT_NEAR(0.0, voice->GetHeardFrame(11.0), 1e-9);
    EXPECT_NEAR(256.0, voice->GetHeardFrame(11.0 + 256.0 / 44100), 1e-6);
    // A late mix: the heard position runs on for one more chunk, then waits.
    EXPECT_NEAR(1024.0, voice->GetHeardFrame(12.0), 1e-9);
    // The next mix anchors at what the first one played: queries wait there until it is reached.
    Mix(mixer, 512, 11.0 + 400.0 / 44100);
    EXPECT_NEAR(1024.0, voice->GetHeardFrame(11.0 + 500.0 / 44100), 1e-9);
    EXPECT_NEAR(1100.0, voice->GetHeardFrame(11.0 + 988.0 / 44100), 1e-6);
    // Setting the position is the one way back.
    voice->SetPosition(40, 11.02);
    EXPECT_EQ(40, voice->GetHeardPosition(11.03));
}
