#pragma once

#include <mutex>
#include <vector>

namespace Gralith::Sound {

class MixerVoice;

/// The software mixer behind the SDL sound device: sums its voices into interleaved stereo float
/// frames at the output rate, resampling each voice linearly from its own rate. It has no output
/// of its own: an audio callback, a timer thread or an offline renderer calls Mix.
class Mixer {
public:
    explicit Mixer(int outputRate = 44100);
    ~Mixer();
    Mixer(const Mixer&) = delete;
    Mixer& operator=(const Mixer&) = delete;

    /// A voice of size bytes in the given PCM format, stopped at position 0, full gains, silent
    /// data. The caller checks the format; throws std::bad_alloc when memory runs out.
    MixerVoice* CreateVoice(int size, int channels, int bitsPerSample, int samplesPerSecond);
    void DestroyVoice(MixerVoice* voice);

    /// Overwrites out with count stereo frames. now is the clock time (Utils::GetTime) at which
    /// the first of them is heard and duration the seconds they take to be heard (0: count at the
    /// output rate); voices interpolate their heard position over that span.
    void Mix(float* out, int count, double now, double duration = 0.0);

    int GetOutputRate() const { return outputRate; }
    int GetVoiceCount();
    std::mutex& GetLock() { return lock; }

    /// Hundredths of a decibel for a pan of -1..1: (pan + 1) * 20000 * 0.5 - 10000, truncated.
    static int PanToMillibels(float pan);
    /// Hundredths of a decibel for a volume of 0..1: volume * 10000 - 10000, truncated.
    static int VolumeToMillibels(float volume);
    /// Linear gain of an attenuation in hundredths of a decibel; -10000 and below is silence.
    static float MillibelsToGain(int millibels);
    /// Left and right gains of a volume and a pan in hundredths of a decibel: the far side of the
    /// pan is attenuated, the near side keeps the volume.
    static void Gains(int volumeMillibels, int panMillibels, float& left, float& right);

private:
    int outputRate;
    std::mutex lock;
    std::vector<MixerVoice*> voices;
};

} // namespace Gralith::Sound
