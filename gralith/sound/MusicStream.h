#pragma once

#include "gralith/Object.h"
#include "gralith/Ref.h"
#include "gralith/utils/InputStream.h"
#include "gralith/utils/String.h"

#include <cstdint>
#include <vector>

namespace Gralith::Sound {

class Buffer;
class Device;

/// The presentation's music: a compressed file decoded completely at open into 44100 Hz 16-bit
/// stereo (so every seek is exact), played through a sound Device. Positions are in bytes of
/// that format: 4 bytes per frame, 176400 per second.
///
/// Mono files play on both sides; files with more than two channels play their first two; Ogg
/// files of other rates are resampled to 44100 Hz while decoding. Every failure throws an
/// Exception; a caller that can go on without music catches it.
///
/// The spectrum and sample queries are pure functions of the decoded data, so an offline
/// renderer can ask for any position without playing.
class MusicStream : public Object {
public:
    static constexpr int SampleRate = 44100;
    static constexpr int Channels = 2;
    static constexpr int BytesPerFrame = 4;
    static constexpr int BytesPerSecond = SampleRate * BytesPerFrame;
    static constexpr int FFTSize = 512;
    static constexpr int SpectrumSize = 256;

    /// device may be null: the stream then only answers queries and Play throws.
    explicit MusicStream(Device* device = nullptr);
    ~MusicStream() override;
    MusicStream(const MusicStream&) = delete;
    MusicStream& operator=(const MusicStream&) = delete;

    /// Opens and decodes an Ogg Vorbis file (a path of the host, not of an asset proxy). Throws
    /// "File not found: " + path (ErrorFileNotFound), "This does not appear to be an Ogg Stream", or
    /// "Unable to decode music stream: " + path when it holds no samples. Replaces what was open.
    void Open(Utils::String path);
    /// Decodes an Ogg Vorbis stream; name only appears in messages.
    void Open(Utils::InputStream* stream, Utils::String name);
    /// Takes interleaved float samples at 44100 Hz (1 or 2 channels) as the music: for content
    /// made in memory and for tests.
    void OpenSamples(const float* samples, int frames, int channels);
    bool IsOpen() const { return length > 0; }

    /// Plays from the current position; a stream standing at its end stays there. Throws
    /// "Unable to play music stream: nothing is open" or "Unable to play music stream: no sound
    /// device", or the device's buffer failure.
    void Play();
    /// Stops where the music is heard.
    void Stop();
    bool IsPlaying();

    /// Moves to bytes, rounded down to a whole frame; at or past the length the stream ends.
    void SetPosition(int64_t bytes);
    /// The position being heard, in bytes: advances smoothly with the clock between mixes and
    /// never goes back except through SetPosition. After the end it stays at GetLength. With
    /// nothing open it is -1, so a timeline driven by it has nothing active.
    int64_t GetPosition();
    /// GetPosition in seconds; -1 with nothing open.
    double GetPositionSeconds();
    bool HasEnded() { return IsOpen() && GetPosition() >= length; }
    int64_t GetLength() const { return length; }

    static double BytesToSeconds(int64_t bytes) { return static_cast<double>(bytes) / BytesPerSecond; }
    /// seconds * 176400, truncated toward zero.
    static int64_t SecondsToBytes(double seconds) { return static_cast<int64_t>(seconds * BytesPerSecond); }

    /// 256 magnitudes at the heard position (see GetSpectrumAt).
    void GetSpectrum(float* out);
    /// 256 magnitudes of a 512-frame Hann-windowed FFT of the mono mix (left + right) / 2 of the
    /// frames starting at bytes, lowest frequency first: bin k is centred on k * 44100 / 512 Hz.
    /// Scaled so a full-scale sine at a bin centre reads 1.0 (twice the bin's magnitude over the
    /// window's sum; the DC bin once). Frames past the end count as silence.
    void GetSpectrumAt(int64_t bytes, float* out) const;
    /// frames stereo frames from bytes into out (interleaved left, right, in -1..1); frames past
    /// the end are silence. Returns how many frames lay inside the music.
    int GetSamplesAt(int64_t bytes, float* out, int frames) const;

private:
    void Decoded();
    void ReleaseBuffer();
    int64_t Clamp(int64_t bytes) const;

    Ref<Device> device;
    Buffer* buffer = nullptr;
    std::vector<int16_t> samples; // interleaved stereo
    int64_t length = 0;           // bytes
    int64_t position = 0;         // where a stream without a playing buffer stands
    int64_t lastHeard = 0;
    bool playing = false;
    struct Transform;
    Transform* transform;
};

} // namespace Gralith::Sound
