#include "gralith/sound/MusicStream.h"
#include "gralith/Ref.h"
#include "gralith/sound/sdl/SDLSoundDevice.h"
#include "gralith/utils/MemoryInputStream.h"
#include "gralith/utils/Timer.h"

#include "tests/support/OggEncoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>
#include <vector>

using Gralith::Sound::MusicStream;
using Gralith::Sound::SDLSoundDevice;
using Gralith::Utils::GetTime;
using Gralith::Utils::MemoryInputStream;

namespace {

// A full-scale sine at the centre of FFT bin k, the same on both sides.
std::vector<float> BinSine(int frames, int bin) { return GralithTest::Sine(frames, 2, bin * 44100.0 / 512.0, 1.0f); }

void OpenOgg(MusicStream& music, const std::string& bytes) {
    Gralith::Ref<MemoryInputStream> stream;
    stream.Adopt(new MemoryInputStream(bytes.data(), static_cast<int>(bytes.size())));
    music.Open(stream.Get(), "generated.ogg");
}

int Peak(const float* spectrum) {
    return static_cast<int>(std::max_element(spectrum, spectrum + MusicStream::SpectrumSize) - spectrum);
}

} // namespace

TEST(MusicStream, SeekingLandsOnTheExactSample) {
    MusicStream music;
    std::vector<float> samples(2 * 3000);
    for (int i = 0; i < 3000; ++i) {
        samples[2 * i] = static_cast<float>(i) / 32768.0f;
        samples[2 * i + 1] = -static_cast<float>(i) / 32768.0f;
    }
    music.OpenSamples(samples.data(), 3000, 2);
    float out[2 * 4];
    EXPECT_EQ(4, music.GetSamplesAt(1234 * 4, out, 4));
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ((1234 + i) / 32768.0f, out[2 * i]);
        EXPECT_EQ(-(1234 + i) / 32768.0f, out[2 * i + 1]);
    }
    // A position inside a frame belongs to that frame.
    music.GetSamplesAt(1234 * 4 + 3, out, 1);
    EXPECT_EQ(1234 / 32768.0f, out[0]);
    music.SetPosition(1234 * 4 + 3);
    EXPECT_EQ(1234 * 4, music.GetPosition());
    // The last frames run into silence.
    EXPECT_EQ(2, music.GetSamplesAt(2998 * 4, out, 4));
    EXPECT_EQ(2999 / 32768.0f, out[2]);
    EXPECT_EQ(0.0f, out[4]);
    EXPECT_EQ(0.0f, out[7]);
}

TEST(MusicStream, SpectrumOfASinePeaksInItsBinAtFullScaleOne) {
    MusicStream music;
    std::vector<float> samples = BinSine(4096, 20);
    music.OpenSamples(samples.data(), 4096, 2);
    float spectrum[MusicStream::SpectrumSize];
    music.GetSpectrumAt(1000 * 4, spectrum);
    EXPECT_EQ(20, Peak(spectrum));
    EXPECT_NEAR(1.0f, spectrum[20], 0.01f);
    // The Hann window spreads half of it into each neighbour and nothing further.
    EXPECT_NEAR(0.5f, spectrum[19], 0.01f);
    EXPECT_NEAR(0.5f, spectrum[21], 0.01f);
    for (int k = 0; k < MusicStream::SpectrumSize; ++k)
        EXPECT_LT(spectrum[k], k >= 19 && k <= 21 ? 1.1f : 0.001f) << "bin " << k;

    // The same through the Ogg encoder and decoder, at the current position.
    MusicStream ogg;
    OpenOgg(ogg, GralithTest::EncodeOgg(BinSine(44100, 100), 2, 44100));
    ogg.SetPosition(20000 * 4);
    ogg.GetSpectrum(spectrum);
    EXPECT_EQ(100, Peak(spectrum));
    EXPECT_NEAR(1.0f, spectrum[100], 0.05f);
}

TEST(MusicStream, PlaysInRealTimeAndStaysAtTheLengthAfterTheEnd) {
    SDLSoundDevice* device = new SDLSoundDevice(SDLSoundDevice::OutputSilent);
    MusicStream music(device);
    std::vector<float> samples = GralithTest::Sine(44100 / 4, 2, 440.0, 0.5f);
    music.OpenSamples(samples.data(), 44100 / 4, 2);
    double start = GetTime();
    music.Play();
    EXPECT_TRUE(music.IsPlaying());
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    double seconds = music.GetPositionSeconds();
    double elapsed = GetTime() - start;
    EXPECT_NEAR(elapsed, seconds, 0.05);
    EXPECT_EQ(static_cast<double>(music.GetPosition()) / 176400.0, music.GetPositionSeconds());
    std::this_thread::sleep_for(std::chrono::milliseconds(250));
    EXPECT_EQ(music.GetLength(), music.GetPosition());
    EXPECT_TRUE(music.HasEnded());
    EXPECT_FALSE(music.IsPlaying());
    device->Release();
}

TEST(MusicStream, StartingAtAPositionAndSeekingWhilePlaying) {
    SDLSoundDevice* device = new SDLSoundDevice(SDLSoundDevice::OutputSilent);
    MusicStream music(device);
    std::vector<float> samples = GralithTest::Sine(3 * 44100, 2, 440.0, 0.5f);
    music.OpenSamples(samples.data(), 3 * 44100, 2);
    music.Play();
    music.SetPosition(MusicStream::SecondsToBytes(1.0));
    EXPECT_GE(music.GetPosition(), 176400);
    std::this_thread::sleep_for(std::chrono::milliseconds(60));
    int64_t later = music.GetPosition();
    EXPECT_GT(later, 176400);
    EXPECT_LT(later, 176400 + 176400 / 5);
    music.SetPosition(4);
    EXPECT_LT(music.GetPosition(), 176400 / 20);
    music.Stop();
    int64_t stopped = music.GetPosition();
    std::this_thread::sleep_for(std::chrono::milliseconds(40));
    EXPECT_EQ(stopped, music.GetPosition());
    EXPECT_FALSE(music.IsPlaying());
    device->Release();
}

TEST(MusicStream, WhatPlaysFromAPositionIsTheSampleThere) {
    // A device without output: the test is the audio callback.
    SDLSoundDevice* device = new SDLSoundDevice(SDLSoundDevice::OutputNone);
    MusicStream music(device);
    std::vector<float> samples = GralithTest::Sine(8000, 2, 1000.0, 0.5f);
    for (size_t i = 1; i < samples.size(); i += 2)
        samples[i] *= -0.5f; // a right channel of its own, so that swapped sides show
    music.OpenSamples(samples.data(), 8000, 2);
    music.SetPosition(5000 * 4);
    music.Play();
    float expected[2 * 16];
    music.GetSamplesAt(5000 * 4, expected, 16);
    float out[2 * 16];
    device->GetMixer()->Mix(out, 16, GetTime());
    for (int i = 0; i < 32; ++i)
        EXPECT_EQ(expected[i], out[i]) << "sample " << i;
    EXPECT_GE(music.GetPosition(), 5000 * 4);
    EXPECT_LE(music.GetPosition(), 5016 * 4 + 512 * 4);
    device->Release();
}
