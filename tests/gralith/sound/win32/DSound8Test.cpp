#include "gralith/sound/MusicStream.h"
#include "gralith/sound/win32/DSound8Buffer.h"
#include "gralith/sound/win32/DSound8Device.h"
#include "tests/support/Expect.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <mmsystem.h>

#include <dsound.h>

#include <cstdint>
#include <vector>

using namespace Gralith::Sound;

namespace {

constexpr int Second = 176400; // bytes of 44100 Hz 16-bit stereo

class DSound8 : public ::testing::Test {
protected:
    DSound8Buffer* Make(int size) {
        buffers.push_back(static_cast<DSound8Buffer*>(device->CreateBuffer(size, 2, 16, 44100)));
        return buffers.back();
    }
    void TearDown() override {
        for (DSound8Buffer* buffer : buffers)
            buffer->Release();
        device->Release();
    }

    // No window: the output follows the desktop.
    DSound8Device* device = new DSound8Device(nullptr);
    std::vector<DSound8Buffer*> buffers;
};

// Reads the play position every millisecond for up to seconds until it reaches target, or with
// wrap until it goes back; false when that never happened. Without wrap going back fails.
bool Watch(DSound8Buffer* buffer, double seconds, int target, bool wrap = false) {
    for (int waited = 0, previous = buffer->GetPlayPosition(); waited < seconds * 1000; ++waited) {
        Sleep(1);
        int position = buffer->GetPlayPosition();
        if (position < previous || position >= target)
            return wrap == (position < previous);
        previous = position;
    }
    return false;
}

} // namespace

TEST_F(DSound8, RefusalsPanVolumeAndFrequency) {
    EXPECT_GRALITH_THROW(device->CreateBuffer(0, 2, 16, 44100), "Unable to create sound buffer (Invalid parameter)", 0);
    EXPECT_GRALITH_THROW(device->CreateBuffer(4096, 0, 16, 44100), "Unable to create sound buffer (Bad format)", 0);
    DSound8Buffer* buffer = Make(4096);
    // Pan and volume in hundredths of a decibel, as DirectSound holds them.
    for (auto [pan, platform] : {std::pair{-1.0f, -10000L}, {0.5f, 5000L}, {1.0f, 10000L}}) {
        buffer->SetPan(pan);
        EXPECT_EQ(platform, buffer->GetPlatformPan()) << pan;
    }
    for (auto [volume, platform] : {std::pair{0.0f, -10000L}, {0.5f, -5000L}}) {
        buffer->SetVolume(volume);
        EXPECT_EQ(platform, buffer->GetPlatformVolume()) << volume;
    }
    EXPECT_GRALITH_THROW(buffer->SetPan(1.5f), "Unable to set sound buffer pan", 0);
    EXPECT_GRALITH_THROW(buffer->SetVolume(-0.1f), "Unable to set sound buffer volume", 0);
    EXPECT_EQ(1.0f, buffer->GetPan()); // the last accepted
    buffer->SetFrequency(22050);
    buffer->SetFrequency(0); // the creation rate again
    EXPECT_EQ(44100, buffer->GetFrequency());
    EXPECT_GRALITH_THROW(buffer->SetFrequency(1), "Unable to set sound buffer frequency", 0);
}

TEST_F(DSound8, RingWritesWrapAndCursorsCountLaps) {
    DSound8Buffer* buffer = Make(4096);
    std::vector<uint8_t> data(3000);
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<uint8_t>(i * 7 + 1);
    EXPECT_EQ(0, buffer->SetWriteCursor(2048));
    buffer->Write(data.data(), 3000);
    EXPECT_EQ(952, buffer->GetWriteCursor());
    // The bytes DirectSound holds: the write continued at the start.
    auto* platform = static_cast<IDirectSoundBuffer8*>(buffer->GetPlatformBuffer());
    void* bytes = nullptr;
    DWORD length = 0;
    ASSERT_EQ(DS_OK, platform->Lock(0, 0, &bytes, &length, nullptr, nullptr, DSBLOCK_ENTIREBUFFER));
    std::vector<uint8_t> held(static_cast<uint8_t*>(bytes), static_cast<uint8_t*>(bytes) + length);
    platform->Unlock(bytes, length, nullptr, 0);
    ASSERT_EQ(4096u, held.size());
    for (int i = 0; i < 3000; ++i)
        ASSERT_EQ(data[i], held[(2048 + i) % 4096]) << i;
    EXPECT_EQ(0, held[952]);

    EXPECT_GRALITH_THROW(buffer->SetData(data.data(), 4096, 1), "Unable to lock sound buffer", 0);
    EXPECT_EQ(2, buffer->SetWriteCursor(10000));
    EXPECT_EQ(1808, buffer->GetWriteCursor());
    EXPECT_EQ(-1, buffer->SetWriteCursor(-1));
    EXPECT_EQ(4095, buffer->GetWriteCursor());
    // Room to write runs from the write cursor forward to the play position, across the end.
    buffer->SetPlayPosition(1000);
    buffer->SetWriteCursor(3000);
    EXPECT_EQ(2096, buffer->GetWritableSize());
    EXPECT_GRALITH_THROW(buffer->SetPlayPosition(4097), "Unable to set sound buffer position", 0);
}

TEST_F(DSound8, PositionsAdvanceWithoutGoingBackStopResumeLoopAndEnd) {
    DSound8Buffer* single = Make(Second / 2);
    single->Play(0);
    EXPECT_TRUE(single->IsPlaying());
    ASSERT_TRUE(Watch(single, 3.0, Second / 2));
    Sleep(50);
    EXPECT_FALSE(single->IsPlaying());
    EXPECT_EQ(Second / 2, single->GetPlayPosition());

    DSound8Buffer* buffer = Make(4 * Second);
    buffer->Play(0);
    ASSERT_TRUE(Watch(buffer, 2.0, Second / 10));
    buffer->Stop();
    int stopped = buffer->GetPlayPosition();
    EXPECT_EQ(0, stopped % 4); // a whole frame
    Sleep(50);
    EXPECT_EQ(stopped, buffer->GetPlayPosition());
    EXPECT_EQ(stopped, buffer->GetPlatformPlayPosition());
    buffer->PlayLooped(0);
    ASSERT_TRUE(Watch(buffer, 2.0, stopped + Second / 10));
    // The end of the buffer as a position stops it, as a single play that ran out.
    buffer->SetPlayPosition(4 * Second);
    EXPECT_FALSE(buffer->IsPlaying());
    EXPECT_EQ(4 * Second, buffer->GetPlayPosition());

    // A looped buffer wraps, never reaching its end, and keeps playing.
    DSound8Buffer* loop = Make(Second / 10);
    loop->PlayLooped(0);
    EXPECT_TRUE(Watch(loop, 2.0, Second / 10, true));
    EXPECT_TRUE(loop->IsPlaying());
}

TEST_F(DSound8, MusicStreamPlaysThroughTheDevice) {
    std::vector<float> samples(44100 / 4, 0.25f);
    MusicStream music(device);
    music.OpenSamples(samples.data(), static_cast<int>(samples.size()), 1);
    music.Play();
    for (int waited = 0; waited < 3000 && !music.HasEnded(); ++waited)
        Sleep(1);
    EXPECT_TRUE(music.HasEnded());
    EXPECT_EQ(music.GetLength(), music.GetPosition());
}
