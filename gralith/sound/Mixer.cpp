#include "gralith/sound/Mixer.h"

#include "gralith/sound/MixerVoice.h"

#include <algorithm>
#include <cmath>

namespace Gralith::Sound {

Mixer::Mixer(int outputRate) : outputRate(outputRate) {}

Mixer::~Mixer() {
    for (MixerVoice* voice : voices)
        delete voice;
}

MixerVoice* Mixer::CreateVoice(int size, int channels, int bitsPerSample, int samplesPerSecond) {
    // Allocate outside the lock: a large buffer must not hold up the output thread.
    MixerVoice* voice = new MixerVoice(this, size, channels, bitsPerSample, samplesPerSecond);
    std::lock_guard<std::mutex> guard(lock);
    voices.push_back(voice);
    return voice;
}

void Mixer::DestroyVoice(MixerVoice* voice) {
    {
        std::lock_guard<std::mutex> guard(lock);
        voices.erase(std::remove(voices.begin(), voices.end(), voice), voices.end());
    }
    delete voice;
}

void Mixer::Mix(float* out, int count, double now, double duration) {
    if (duration <= 0.0)
        duration = static_cast<double>(count) / outputRate;
    std::fill(out, out + 2 * static_cast<size_t>(count), 0.0f);
    std::lock_guard<std::mutex> guard(lock);
    for (MixerVoice* voice : voices)
        voice->MixInto(out, count, now, duration, outputRate);
}

int Mixer::GetVoiceCount() {
    std::lock_guard<std::mutex> guard(lock);
    return static_cast<int>(voices.size());
}

int Mixer::PanToMillibels(float pan) {
    return static_cast<int>((static_cast<double>(pan) + 1.0) * 20000.0 * 0.5 - 10000.0);
}

int Mixer::VolumeToMillibels(float volume) { return static_cast<int>(static_cast<double>(volume) * 10000.0 - 10000.0); }

float Mixer::MillibelsToGain(int millibels) {
    if (millibels <= -10000)
        return 0.0f;
    if (millibels >= 0)
        return 1.0f;
    return static_cast<float>(std::pow(10.0, millibels / 2000.0));
}

void Mixer::Gains(int volumeMillibels, int panMillibels, float& left, float& right) {
    float volume = MillibelsToGain(volumeMillibels);
    left = volume * (panMillibels > 0 ? MillibelsToGain(-panMillibels) : 1.0f);
    right = volume * (panMillibels < 0 ? MillibelsToGain(panMillibels) : 1.0f);
}

} // namespace Gralith::Sound
