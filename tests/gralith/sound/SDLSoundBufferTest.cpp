#include "gralith/sound/sdl/SDLSoundBuffer.h"
#include "gralith/Exception.h"
#include "gralith/sound/sdl/SDLSoundDevice.h"

#include "tests/support/Expect.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using Gralith::Exception;
using Gralith::Sound::Buffer;
using Gralith::Sound::SDLSoundBuffer;
using Gralith::Sound::SDLSoundDevice;

namespace {

// A device without output: the test mixes by hand.
class SoundBuffers : public ::testing::Test {
protected:
    void TearDown() override {
        for (Buffer* buffer : made)
            buffer->Release();
        device->Release();
    }

    SDLSoundBuffer* Make(int size, int channels = 1, int bits = 8, int rate = 44100) {
        SDLSoundBuffer* buffer = static_cast<SDLSoundBuffer*>(device->CreateBuffer(size, channels, bits, rate));
        made.push_back(buffer);
        return buffer;
    }

    // The bytes of an 8-bit mono buffer at the output rate, read back through the mixer: each
    // byte is one frame and maps exactly to (byte - 128) / 128.
    std::vector<unsigned char> Contents(SDLSoundBuffer* buffer) {
        int size = buffer->GetSize();
        buffer->SetPlayPosition(0);
        buffer->PlayLooped(0);
        std::vector<float> out(2 * static_cast<size_t>(size));
        device->GetMixer()->Mix(out.data(), size, 0.0);
        buffer->Stop();
        std::vector<unsigned char> bytes(static_cast<size_t>(size));
        for (int i = 0; i < size; ++i)
            bytes[i] = static_cast<unsigned char>(out[2 * i] * 128.0f + 128.0f);
        return bytes;
    }

    static void ExpectFailure(const char* message, const std::function<void()>& call) {
        EXPECT_EQ(message, GralithTest::MessageOf(call));
    }

    SDLSoundDevice* device = new SDLSoundDevice(SDLSoundDevice::OutputNone);
    std::vector<Buffer*> made;
};

std::vector<unsigned char> Pattern(int size, int seed) {
    std::vector<unsigned char> bytes(static_cast<size_t>(size));
    for (int i = 0; i < size; ++i)
        bytes[i] = static_cast<unsigned char>((i * 7 + seed) % 251 + 1);
    return bytes;
}

} // namespace

TEST_F(SoundBuffers, CreationFailuresNameTheReason) {
    ExpectFailure("Unable to create sound buffer (Bad format)", [&] { device->CreateBuffer(4096, 2, 12, 44100); });
    ExpectFailure("Unable to create sound buffer (Bad format)", [&] { device->CreateBuffer(4096, 0, 16, 44100); });
    ExpectFailure("Unable to create sound buffer (Bad format)", [&] { device->CreateBuffer(4096, 2, 16, 99); });
    ExpectFailure("Unable to create sound buffer (Invalid parameter)", [&] { device->CreateBuffer(0, 2, 16, 44100); });
    ExpectFailure("Unable to create sound buffer (Invalid parameter)",
                  [&] { device->CreateBuffer(0x10000000, 2, 16, 44100); });
    ExpectFailure("Unable to create sound buffer (Buffer too small)", [&] { device->CreateBuffer(3, 2, 16, 44100); });
    EXPECT_EQ(0, device->GetMixer()->GetVoiceCount());
}

TEST_F(SoundBuffers, SetDataWrapsPastTheEnd) {
    SDLSoundBuffer* buffer = Make(4096);
    std::vector<unsigned char> data = Pattern(100, 3);
    buffer->SetData(data.data(), 4050, 100);
    std::vector<unsigned char> bytes = Contents(buffer);
    for (int i = 0; i < 46; ++i)
        ASSERT_EQ(data[i], bytes[4050 + i]);
    for (int i = 46; i < 100; ++i)
        ASSERT_EQ(data[i], bytes[i - 46]);
    EXPECT_EQ(128, bytes[54]);
    EXPECT_EQ(128, bytes[4049]);
    EXPECT_EQ(0, buffer->GetWriteCursor());
}

TEST_F(SoundBuffers, WriteWrapsAtTheCursorAndAdvancesIt) {
    SDLSoundBuffer* buffer = Make(4096);
    EXPECT_EQ(0, buffer->SetWriteCursor(2048));
    std::vector<unsigned char> data = Pattern(3000, 11);
    buffer->Write(data.data(), 3000);
    EXPECT_EQ(952, buffer->GetWriteCursor());
    std::vector<unsigned char> bytes = Contents(buffer);
    for (int i = 0; i < 2048; ++i)
        ASSERT_EQ(data[i], bytes[2048 + i]);
    for (int i = 2048; i < 3000; ++i)
        ASSERT_EQ(data[i], bytes[i - 2048]);
    EXPECT_EQ(128, bytes[952]);
    EXPECT_EQ(128, bytes[2047]);
    std::vector<unsigned char> rest = Pattern(4096 - 952, 5);
    buffer->Write(rest.data(), 4096 - 952);
    EXPECT_EQ(0, buffer->GetWriteCursor());
}

TEST_F(SoundBuffers, RingStreamingFollowsThePlayer) {
    // A looped ring of 1024 frames fed 256 frames at a time ahead of the mixer.
    SDLSoundBuffer* buffer = Make(1024);
    Gralith::Sound::Mixer* mixer = device->GetMixer();
    buffer->PlayLooped(0);
    std::vector<float> out(2 * 256);
    double now = 0.0;
    for (int step = 0; step < 12; ++step) {
        std::vector<unsigned char> chunk(256, static_cast<unsigned char>(130 + step));
        buffer->Write(chunk.data(), 256);
        mixer->Mix(out.data(), 256, now);
        now += 256.0 / 44100;
        EXPECT_EQ((130 + step - 128) / 128.0f, out[0]) << "step " << step;
        EXPECT_EQ((130 + step - 128) / 128.0f, out[510]) << "step " << step;
        EXPECT_EQ(((step + 1) * 256) % 1024, buffer->GetWritePosition());
    }
}

TEST_F(SoundBuffers, PanVolumeAndFrequencyReachTheMix) {
    SDLSoundBuffer* buffer = Make(400, 2, 16);
    std::vector<short> pcm(200, 16384);
    buffer->SetData(pcm.data(), 0, 400);
    buffer->SetPan(-1.0f);
    buffer->SetVolume(0.9f); // -1000 hundredths of a decibel: a gain of 10^-0.5
    buffer->PlayLooped(0);
    std::vector<float> out(2 * 10);
    device->GetMixer()->Mix(out.data(), 10, 0.0);
    EXPECT_NEAR(0.5f * 0.316228f, out[0], 1e-5f);
    EXPECT_EQ(0.0f, out[1]);

    buffer->SetPlayPosition(0);
    buffer->SetFrequency(88200);
    device->GetMixer()->Mix(out.data(), 10, 1.0);
    EXPECT_EQ(80, buffer->GetWritePosition()); // 20 frames of 4 bytes for 10 output frames
}
