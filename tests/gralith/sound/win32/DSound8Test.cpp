#include "gralith/sound/MusicStream.h"
#include "gralith/sound/win32/DSound8Buffer.h"
#include "gralith/sound/win32/DSound8Device.h"
#include "tests/support/Expect.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <mmsystem.h>

#include <dsound.h>

#include <cstdint>
#include <functional>
#include <vector>

using namespace Gralith::Sound;

namespace {

constexpr int Second = 176400; // bytes of 44100 Hz 16-bit stereo

class DSound8 : public ::testing::Test {
protected:
    DSound8Buffer* Make(int size) {
        auto* buffer = static_cast<DSound8Buffer*>(device->CreateBuffer(size, 2, 16, 44100));
        buffers.push_back(buffer);
        return buffer;
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

// The bytes DirectSound holds for a buffer.
std::vector<uint8_t> Contents(DSound8Buffer* buffer) {
    auto* platform = static_cast<IDirectSoundBuffer8*>(buffer->GetPlatformBuffer());
    void* data = nullptr;
    DWORD length = 0;
    EXPECT_EQ(DS_OK, platform->Lock(0, 0, &data, &length, nullptr, nullptr, DSBLOCK_ENTIREBUFFER));
    std::vector<uint8_t> bytes(static_cast<uint8_t*>(data), static_cast<uint8_t*>(data) + length);
    platform->Unlock(data, length, nullptr, 0);
    return bytes;
}

// Reads the play position every millisecond until done says so or seconds pass; every reading
// must be at least the one before.
bool WatchPositions(DSound8Buffer* buffer, double seconds, const std::function<bool(int)>& done) {
    int previous = buffer->GetPlayPosition();
    for (int waited = 0; waited < seconds * 1000; ++waited) {
        Sleep(1);
        int position = buffer->GetPlayPosition();
        EXPECT_GE(position, previous);
        if (position < previous || done(position))
            return position >= previous;
        previous = position;
    }
    return false;
}

} // namespace

TEST_F(DSound8, BufferFailuresNameThePlatformsReason) {
    const std::pair<HRESULT, const char*> cases[] = {
        {DSERR_INVALIDCALL, "Invalid call"},        {DSERR_BADFORMAT, "Bad format"},
        {DSERR_BUFFERTOOSMALL, "Buffer too small"}, {DSERR_DS8_REQUIRED, "DirectSound 8 required"},
        {DSERR_UNINITIALIZED, "Uninitialized"},     {DSERR_CONTROLUNAVAIL, "Control unavailable"},
        {DSERR_OUTOFMEMORY, "Out of memory"},       {DSERR_UNSUPPORTED, "Unsupported"},
        {DSERR_NOAGGREGATION, "No aggregation"},    {DSERR_INVALIDPARAM, "Invalid parameter"},
        {DSERR_ALLOCATED, "DSERR_ALLOCATED"},       {DSERR_NODRIVER, "0x88780078"},
    };
    for (const auto& [code, reason] : cases)
        EXPECT_EQ(std::string("Unable to create sound buffer (") + reason + ")",
                  DSound8Device::BufferFailureMessage(code));
    EXPECT_GRALITH_THROW(device->CreateBuffer(0, 2, 16, 44100), "Unable to create sound buffer (Invalid parameter)", 0);
    EXPECT_GRALITH_THROW(device->CreateBuffer(4096, 0, 16, 44100), "Unable to create sound buffer (Bad format)", 0);
}

TEST_F(DSound8, PanVolumeAndFrequencyReachThePlatform) {
    DSound8Buffer* buffer = Make(4096);
    const std::pair<float, long> pans[] = {{-1.0f, -10000}, {0.5f, 5000}, {1.0f, 10000}, {0.0f, 0}};
    for (const auto& [pan, platform] : pans) {
        buffer->SetPan(pan);
        EXPECT_EQ(platform, buffer->GetPlatformPan()) << pan;
    }
    const std::pair<float, long> volumes[] = {{0.0f, -10000}, {0.5f, -5000}, {1.0f, 0}};
    for (const auto& [volume, platform] : volumes) {
        buffer->SetVolume(volume);
        EXPECT_EQ(platform, buffer->GetPlatformVolume()) << volume;
    }
    EXPECT_GRALITH_THROW(buffer->SetPan(1.5f), "Unable to set sound buffer pan", 0);
    EXPECT_GRALITH_THROW(buffer->SetVolume(-0.1f), "Unable to set sound buffer volume", 0);
    EXPECT_EQ(0.0f, buffer->GetPan());
    EXPECT_EQ(1.0f, buffer->GetVolume());
    buffer->SetFrequency(22050);
    EXPECT_EQ(22050, buffer->GetFrequency());
    buffer->SetFrequency(0);
    EXPECT_EQ(44100, buffer->GetFrequency());
    EXPECT_GRALITH_THROW(buffer->SetFrequency(1), "Unable to set sound buffer frequency", 0);
}

TEST_F(DSound8, RingWritesWrapAndCursorsCountLaps) {
    DSound8Buffer* buffer = Make(4096);
    EXPECT_EQ(0, buffer->GetPlayPosition());
    std::vector<uint8_t> data(3000);
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<uint8_t>(i * 7 + 1);
    EXPECT_EQ(0, buffer->SetWriteCursor(2048));
    buffer->Write(data.data(), 3000);
    EXPECT_EQ(952, buffer->GetWriteCursor());
    std::vector<uint8_t> bytes = Contents(buffer);
    ASSERT_EQ(4096u, bytes.size());
    for (int i = 0; i < 3000; ++i)
        ASSERT_EQ(data[i], bytes[(2048 + i) % 4096]) << i;
    EXPECT_EQ(0, bytes[952]);

    buffer->SetData(nullptr, 5000, 0); // size 0: nothing, whatever the offset
    EXPECT_GRALITH_THROW(buffer->SetData(data.data(), 4096, 1), "Unable to lock sound buffer", 0);
    EXPECT_GRALITH_THROW(buffer->SetData(data.data(), 0, 4097), "Unable to lock sound buffer", 0);
    EXPECT_EQ(2, buffer->SetWriteCursor(10000));
    EXPECT_EQ(1808, buffer->GetWriteCursor());
    EXPECT_EQ(-1, buffer->SetWriteCursor(-1));
    EXPECT_EQ(4095, buffer->GetWriteCursor());

    buffer->SetPlayPosition(3000);
    buffer->SetWriteCursor(1000);
    EXPECT_EQ(2000, buffer->GetWritableSize());
    buffer->SetPlayPosition(1000);
    buffer->SetWriteCursor(3000);
    EXPECT_EQ(2096, buffer->GetWritableSize());
    EXPECT_GRALITH_THROW(buffer->SetPlayPosition(4097), "Unable to set sound buffer position", 0);
}

TEST_F(DSound8, PlayedPositionsAdvanceWithoutGoingBackAndStopAtTheEnd) {
    DSound8Buffer* buffer = Make(Second / 2);
    buffer->Play(0);
    EXPECT_TRUE(buffer->IsPlaying());
    // Smoothed between DirectSound's steps: more distinct positions than the platform gives.
    int distinct = 0, distinctPlatform = 0, last = -1, lastPlatform = -1;
    ASSERT_TRUE(WatchPositions(buffer, 3.0, [&](int position) {
        distinct += position != last;
        last = position;
        int platform = buffer->GetPlatformPlayPosition();
        distinctPlatform += platform != lastPlatform;
        lastPlatform = platform;
        return position == Second / 2;
    }));
    EXPECT_GT(distinct, distinctPlatform);
    Sleep(50);
    EXPECT_FALSE(buffer->IsPlaying());
    EXPECT_EQ(Second / 2, buffer->GetPlayPosition());
}

TEST_F(DSound8, StopHoldsThePositionAndPlayResumesThere) {
    DSound8Buffer* buffer = Make(4 * Second);
    buffer->Play(0);
    ASSERT_TRUE(WatchPositions(buffer, 2.0, [](int position) { return position > Second / 10; }));
    buffer->Stop();
    int stopped = buffer->GetPlayPosition();
    EXPECT_EQ(0, stopped % 4);
    Sleep(50);
    EXPECT_EQ(stopped, buffer->GetPlayPosition());
    EXPECT_EQ(stopped, buffer->GetPlatformPlayPosition());
    buffer->PlayLooped(0);
    ASSERT_TRUE(WatchPositions(buffer, 2.0, [&](int position) { return position > stopped + Second / 10; }));
    // The end of the buffer as a position stops it, as a single play that ran out.
    buffer->SetPlayPosition(4 * Second);
    EXPECT_FALSE(buffer->IsPlaying());
    EXPECT_EQ(4 * Second, buffer->GetPlayPosition());
}

TEST_F(DSound8, LoopedBufferWrapsAndKeepsPlaying) {
    DSound8Buffer* buffer = Make(Second / 10);
    buffer->PlayLooped(0);
    int previous = 0;
    bool wrapped = false;
    for (int waited = 0; waited < 2000 && !wrapped; ++waited) {
        Sleep(1);
        int position = buffer->GetPlayPosition();
        ASSERT_LT(position, Second / 10);
        wrapped = position < previous;
        previous = position;
    }
    EXPECT_TRUE(wrapped);
    EXPECT_TRUE(buffer->IsPlaying());
}

TEST_F(DSound8, MusicStreamPlaysThroughTheDevice) {
    std::vector<float> samples(44100 / 4, 0.25f);
    MusicStream music(device);
    music.OpenSamples(samples.data(), static_cast<int>(samples.size()), 1);
    music.Play();
    int64_t previous = 0;
    for (int waited = 0; waited < 3000 && !music.HasEnded(); ++waited) {
        Sleep(1);
        int64_t position = music.GetPosition();
        ASSERT_GE(position, previous);
        previous = position;
    }
    EXPECT_TRUE(music.HasEnded());
    EXPECT_EQ(music.GetLength(), music.GetPosition());
}
