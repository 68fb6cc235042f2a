#pragma once

#include "gralith/utils/InputStream.h"
#include "gralith/utils/audio/Stream.h"

#include <cstddef>
#include <vector>

namespace Gralith::Utils::Audio {

/// Decodes an Ogg Vorbis file from its own in-memory copy. Delivers 44100 frames per second
/// whatever the file's rate: other rates are resampled (linear interpolation) while reading.
/// It lies below both of its users, the music stream of the sound layer and the Ogg loader of
/// the assets, so neither layer has to include the other.
class OggDecoder : public Stream {
public:
    /// Copies the whole stream (from its start) and opens the decoder on the copy. Throws
    /// "This does not appear to be an Ogg Stream" when the data is not Ogg Vorbis.
    explicit OggDecoder(InputStream* stream);
    ~OggDecoder() override;
    OggDecoder(const OggDecoder&) = delete;
    OggDecoder& operator=(const OggDecoder&) = delete;

    int GetChannels() override { return channels; }
    int GetSampleRate() override { return OutputRate; }
    int Read(float* out, int frames) override;

    /// The rate the file was encoded at.
    int GetSourceRate() const { return sourceRate; }
    /// The length in frames at 44100 Hz as the file's headers state it, or -1 when unknown.
    long long GetLengthFrames() const { return lengthFrames; }

    static constexpr int OutputRate = 44100;

    // The decoder's data source callbacks read the copy through these.
    std::size_t ReadSource(void* destination, std::size_t itemSize, std::size_t itemCount);
    int SeekSource(long long offset, int origin);
    long TellSource() const { return static_cast<long>(position); }

private:
    /// Decodes at the file's own rate.
    int Decode(float* out, int frames);
    int ReadResampled(float* out, int frames);

    std::vector<unsigned char> bytes;
    std::size_t position = 0;
    struct Decoder;
    Decoder* decoder = nullptr;
    int channels = 0;
    int sourceRate = 0;
    long long lengthFrames = -1;

    // Resampling state: source frames not yet passed, and the read point within them.
    std::vector<float> pending;
    std::size_t pendingFrames = 0;
    double phase = 0.0;
    bool sourceEnded = false;
};

} // namespace Gralith::Utils::Audio
