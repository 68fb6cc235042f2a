#include "gralith/sound/sdl/SDLSoundDevice.h"
#include "gralith/sound/sdl/SDLSoundBuffer.h"
#include "gralith/utils/Timer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

using Gralith::Sound::SDLSoundBuffer;
using Gralith::Sound::SDLSoundDevice;
using Gralith::Utils::GetTime;

namespace {

// Plays a silent 8 s buffer and answers how far it advanced while waiting, less the time waited.
// Timing starts once the output has begun to play it, so a slow start of the output thread on a
// busy machine does not count.
double PlayedSeconds(SDLSoundDevice* device, double wait) {
    auto* buffer = static_cast<SDLSoundBuffer*>(device->CreateBuffer(8 * 176400, 2, 16, 44100));
    buffer->Play(0);
    double deadline = GetTime() + 2.0;
    while (buffer->GetPlayPosition() == 0 && GetTime() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    double start = GetTime();
    int first = buffer->GetPlayPosition();
    std::this_thread::sleep_for(std::chrono::duration<double>(wait));
    double elapsed = GetTime() - start;
    double played = (buffer->GetPlayPosition() - first) / 176400.0;
    buffer->Release();
    return played - elapsed;
}

// Each case picks SDL's audio driver; the previous choice comes back afterwards.
class AudioDriver : public ::testing::Test {
protected:
    void TearDown() override {
        if (hadValue)
            setenv("SDL_AUDIODRIVER", saved.c_str(), 1);
        else
            unsetenv("SDL_AUDIODRIVER");
    }
    const bool hadValue = std::getenv("SDL_AUDIODRIVER") != nullptr;
    const std::string saved = hadValue ? std::getenv("SDL_AUDIODRIVER") : "";
};

} // namespace

TEST_F(AudioDriver, DummyDriverPlaysInRealTime) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    SDLSoundDevice* device = new SDLSoundDevice(SDLSoundDevice::OutputSDL);
    EXPECT_FALSE(device->IsSilent());
    EXPECT_TRUE(device->GetOutputName() == "sdl:dummy") << device->GetOutputName().CStr();
    // SDL's dummy output paces itself with whole-millisecond sleeps, so it runs a few percent
    // off the clock (more on a busy machine); the device's own silent output is the exact one.
    EXPECT_NEAR(0.0, PlayedSeconds(device, 0.3), 0.1);
    device->Release();
}

TEST_F(AudioDriver, UnavailableOutputFallsBackToASilentOneThatKeepsTime) {
    setenv("SDL_AUDIODRIVER", "no-such-audio-driver", 1);
    SDLSoundDevice* device = new SDLSoundDevice();
    EXPECT_TRUE(device->IsSilent());
    EXPECT_TRUE(device->GetOutputName() == "silent");
    EXPECT_GT(device->GetFallbackReason().Length(), 0);
    EXPECT_NEAR(0.0, PlayedSeconds(device, 0.3), 0.03);
    device->Release();
}

TEST_F(AudioDriver, HeardPositionNeverStepsBackWhilePlaying) {
    SDLSoundDevice* device = new SDLSoundDevice(SDLSoundDevice::OutputSilent);
    auto* buffer = static_cast<SDLSoundBuffer*>(device->CreateBuffer(4 * 176400, 2, 16, 44100));
    buffer->Play(0);
    int previous = 0, distinct = 0;
    double end = GetTime() + 0.15;
    while (GetTime() < end) {
        int position = buffer->GetPlayPosition();
        ASSERT_GE(position, previous);
        distinct += position != previous;
        previous = position;
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    // Many more distinct values than the dozen mixes in that time: it moves between mixes.
    EXPECT_GT(distinct, 20);
    buffer->Release();
    device->Release();
}
