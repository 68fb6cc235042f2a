#pragma once

#include "gralith/Object.h"

namespace Gralith::Sound {

/// A PCM sound buffer of a Device: filled at byte offsets or streamed into as a ring, played once
/// or looped from its play position. Positions and sizes are in bytes.
class Buffer : public Object {
public:
    /// Plays once from the current play position (from the start when it stands at the end).
    virtual void Play(unsigned priority) = 0;
    /// Plays repeatedly, wrapping at the end.
    virtual void PlayLooped(unsigned priority) = 0;
    /// Stops; the play position stays where it was heard.
    virtual void Stop() = 0;
    /// Copies size bytes to offset, wrapping past the end to the start. Size 0 does nothing.
    virtual void SetData(const void* data, int offset, int size) = 0;
    /// Copies size bytes at the write cursor (wrapping) and advances it modulo the size.
    virtual void Write(const void* data, int size) = 0;
    virtual void SetPlayPosition(int offset) = 0;
    /// Cursor = position modulo the size; returns the whole laps (position / size).
    virtual int SetWriteCursor(int position) = 0;
    virtual void SetFrequency(int samplesPerSecond) = 0;
    /// -1 left, 0 centre, 1 right.
    virtual void SetPan(float pan) = 0;
    /// 0 silent, 1 full.
    virtual void SetVolume(float volume) = 0;
    /// Where the output is being heard; the buffer size after a single play reached the end.
    virtual int GetPlayPosition() = 0;
    /// Where the output allows writing next: everything before it has been mixed.
    virtual int GetWritePosition() = 0;
    /// Bytes from the write cursor forward to the play position.
    virtual int GetWritableSize() = 0;
    virtual int GetFrequency() = 0;
    virtual float GetPan() = 0;
    virtual float GetVolume() = 0;
    virtual int GetChannels() = 0;
    virtual int GetBitsPerSample() = 0;
};

} // namespace Gralith::Sound
