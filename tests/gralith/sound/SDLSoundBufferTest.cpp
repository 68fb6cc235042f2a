#include "gralith/sound/sdl/SDLSoundBuffer.h"
#include "gralith/sound/sdl/SDLSoundDevice.h"

#include <gtest/gtest.h>

#include <vector>

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

    SDLSoundDevice* device = new SDLSoundDevice(SDLSoundDevice::OutputNone);
    std::vector<Buffer*> made;
};

std::vector<unsigned char> Pattern(int size, int seed) {
    std::vector<unsigned char> bytes(static_cast<size_t>(size));
    for (int i = 0; i < size; ++i)
        bytes[i] = static_cast<unsigned char>((i * 7 + seed) % 251 + 1);
    return bytes;
}

// A silent ring of the given size with data written from at on, wrapping at the end.
std::vector<unsigned char> Ring(size_t size, size_t at, const std::vector<unsigned char>& data) {
    std::vector<unsigned char> ring(size, 128);
    for (size_t i = 0; i < data.size(); ++i)
        ring[(at + i) % size] = data[i];
    return ring;
}

} // namespace

TEST_F(SoundBuffers, SetDataWrapsPastTheEnd) {
    SDLSoundBuffer* buffer = Make(4096);
    std::vector<unsigned char> data = Pattern(100, 3);
    buffer->SetData(data.data(), 4050, 100);
    EXPECT_TRUE(Ring(4096, 4050, data) == Contents(buffer));
    EXPECT_EQ(0, buffer->GetWriteCursor());
}

TEST_F(SoundBuffers, WriteWrapsAtTheCursorAndAdvancesIt) {
    SDLSoundBuffer* buffer = Make(4096);
    EXPECT_EQ(0, buffer->SetWriteCursor(2048));
    std::vector<unsigned char> data = Pattern(3000, 11);
    buffer->Write(data.data(), 3000);
    EXPECT_EQ(952, buffer->GetWriteCursor());
    EXPECT_TRUE(Ring(4096, 2048, data) == Contents(buffer));
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
