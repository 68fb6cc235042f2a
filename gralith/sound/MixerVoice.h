#pragma once

#include <cstdint>
#include <vector>

namespace Gralith::Sound {

class Mixer;

/// One PCM source of a Mixer: raw integer PCM bytes (8-bit unsigned, 16, 24 or 32-bit signed,
/// little-endian, any channel count), a fractional play position, a rate and two channel gains.
/// Every operation takes the mixer's lock, so the frame-loop thread and the output thread may
/// use a voice at the same time. Made and destroyed by the Mixer.
class MixerVoice {
public:
    MixerVoice(const MixerVoice&) = delete;
    MixerVoice& operator=(const MixerVoice&) = delete;

    int GetSize() const { return static_cast<int>(data.size()); }
    int GetChannels() const { return channels; }
    int GetBitsPerSample() const { return bits; }
    int GetBlockAlign() const { return blockAlign; }
    int GetFrames() const { return frames; }

    /// Copies size bytes to offset (0 <= offset < size, size <= buffer size), wrapping past the end.
    void CopyIn(const void* source, int offset, int size);
    /// Starts at the current position; a single play standing at the end starts again at 0.
    void Play(bool looped, double now);
    /// Stops where the output is heard; what was mixed but not yet heard plays again on resume.
    void Stop(double now);
    bool IsPlaying() const;
    bool IsLooping() const;

    /// Moves the position to byteOffset (0..size, rounded down to a whole frame).
    void SetPosition(int byteOffset, double now);
    /// The byte offset up to which the output has mixed (the device's write position).
    int GetMixedPosition() const;
    /// The frame being heard at time now: interpolated from the last mix by the clock, never
    /// moving backwards until the position is set again. 0..frames (frames: a single play ended).
    double GetHeardFrame(double now);
    /// GetHeardFrame as a byte offset, rounded down to a whole frame.
    int GetHeardPosition(double now);

    void SetRate(int samplesPerSecond);
    int GetRate() const;
    /// Linear gains applied to the left and right output channel.
    void SetGains(float left, float right);

private:
    friend class Mixer;
    using SampleReader = float (*)(const unsigned char*);

    MixerVoice(Mixer* mixer, int size, int channels, int bits, int rate);
    /// Adds this voice into out; the mixer's lock is held.
    void MixInto(float* out, int count, double now, double duration, int outputRate);
    double HeardUnwrapped(double now);
    void AnchorHere(double now);

    Mixer* mixer;
    std::vector<unsigned char> data;
    int channels;
    int bits;
    int blockAlign;
    int frames;
    SampleReader read;
    int rate;
    float gainLeft = 1.0f;
    float gainRight = 1.0f;
    bool playing = false;
    bool looping = false;
    double position = 0.0; // frames into the buffer, 0..frames
    int64_t laps = 0;      // wraps since the position was last set

    // What the last mix played, for the heard position between mixes (unwrapped frames).
    double anchorTime = 0.0;
    double anchorPosition = 0.0;
    double anchorRate = 0.0; // source frames per second of clock time
    double anchorLimit = 0.0;
    double lastHeard = 0.0;
};

} // namespace Gralith::Sound
