#pragma once

#include "gralith/Ref.h"
#include "gralith/sound/Buffer.h"
#include "gralith/sound/PlayCursorClock.h"

#include <cstdint>

namespace Gralith::Sound {

class DSound8Device;

/// A DirectSound 8 secondary buffer. DirectSound moves its play cursor in steps of its mixing
/// period; GetPlayPosition follows it with the clock between the steps (PlayCursorClock), so
/// a music position read every frame advances smoothly and never goes back, as with the
/// software mixer. The buffer keeps a reference to its device, which outlives it.
class DSound8Buffer : public Buffer {
public:
    /// Takes over buffer (an IDirectSoundBuffer8); made by DSound8Device::CreateBuffer.
    DSound8Buffer(DSound8Device* device, void* buffer, int size, int channels, int bitsPerSample, int samplesPerSecond);
    ~DSound8Buffer() override;

    /// Plays from the current position (from the start after a single play reached the end),
    /// letting DirectSound end lower-priority sounds for room. Throws "Unable to play sound buffer".
    void Play(unsigned priority) override;
    void PlayLooped(unsigned priority) override;
    /// Stops where the output is heard; a later Play resumes there.
    void Stop() override;
    /// Throws "Unable to lock sound buffer" for an offset outside the buffer, more bytes than it
    /// holds or no data; "Unable to unlock sound buffer" when the platform refuses the unlock.
    void SetData(const void* data, int offset, int size) override;
    void Write(const void* data, int size) override;
    /// 0...size, rounded down to a whole frame; size means a single play has ended. Throws
    /// "Unable to set sound buffer position" outside that range or when the platform refuses.
    void SetPlayPosition(int offset) override;
    /// A negative position counts back from the start: -1 is the last byte, lap -1.
    int SetWriteCursor(int position) override;
    /// 0 restores the creation rate. Throws "Unable to set sound buffer frequency" when the
    /// platform refuses (DirectSound takes 100...200000).
    void SetFrequency(int samplesPerSecond) override;
    /// Outside -1...1 throws "Unable to set sound buffer pan" and keeps the old pan.
    void SetPan(float pan) override;
    /// Outside 0...1 throws "Unable to set sound buffer volume" and keeps the old volume.
    void SetVolume(float volume) override;
    /// Throws "Unable to get sound buffer position".
    int GetPlayPosition() override;
    int GetWritePosition() override;
    /// From the write cursor forward to DirectSound's own play cursor (not the smoothed one, so
    /// a stream never overwrites what is still to be played); 0 when the cursor cannot be read.
    int GetWritableSize() override;
    int GetFrequency() override { return frequency; }
    float GetPan() override { return pan; }
    float GetVolume() override { return volume; }
    int GetChannels() override { return channels; }
    int GetBitsPerSample() override { return bits; }

    int GetSize() const { return size; }
    int GetWriteCursor() const { return writeCursor; }
    /// Whether DirectSound is playing the buffer.
    bool IsPlaying();
    /// The pan and volume DirectSound holds, in hundredths of a decibel.
    long GetPlatformPan();
    long GetPlatformVolume();
    /// The IDirectSoundBuffer8.
    void* GetPlatformBuffer() const { return buffer; }
    /// DirectSound's own play cursor, unsmoothed.
    int GetPlatformPlayPosition();

private:
    void Start(unsigned priority, bool looped);
    void CopyIn(const void* data, int offset, int count);
    void ReadCursors(unsigned long& play, unsigned long& write);
    /// Follows the platform cursor; answers the heard position in 0...size.
    int Follow();

    Ref<DSound8Device> device;
    void* buffer;
    float pan = 0.0f;
    float volume = 1.0f;
    int frequency;
    int creationFrequency;
    int channels;
    int bits;
    int writeCursor = 0;
    int size;
    int blockAlign;

    bool playing = false;
    bool looping = false;
    // Where a stopped buffer stands (size after a single play ran to its end).
    int stoppedAt = 0;
    // Laps of a looping buffer since it started, from the cursor's wraps.
    int64_t laps = 0;
    unsigned long lastCursor = 0;
    PlayCursorClock clock;
};

} // namespace Gralith::Sound
