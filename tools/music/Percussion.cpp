#include "Percussion.h"

#include "Dsp.h"

#include <cmath>

namespace Halcyra::Music {

namespace {

// Inharmonic square partials: the metallic core of hats and cymbals.
float Metal(double t) {
    static const double partials[6] = {263.0, 400.0, 421.0, 474.0, 587.0, 845.0};
    float sum = 0.0f;
    for (double hz : partials)
        sum += std::fmod(t * hz * 2.3, 1.0) < 0.5 ? 1.0f : -1.0f;
    return sum / 6.0f;
}

} // namespace

void RenderHat(Track& track, double time, float level, double decay, double pan, unsigned seed) {
    Noise noise(seed);
    Svf filter;
    float gainLeft, gainRight;
    Pan(pan, gainLeft, gainRight);
    int start = ToFrame(time);
    int frames = ToFrame(decay * 6.0);
    for (int i = 0; i < frames; ++i) {
        double t = static_cast<double>(i) / SampleRate;
        float raw = 0.6f * noise.Bipolar() + 0.5f * Metal(t);
        float value = filter.High(raw, 7500.0, 0.9) * static_cast<float>(std::exp(-t / decay) * level);
        track.Add(start + i, value * gainLeft, value * gainRight);
    }
}

void RenderClap(Track& track, double time, float level, unsigned seed) {
    Noise noise(seed);
    Svf left, right;
    int start = ToFrame(time);
    int frames = ToFrame(0.35);
    for (int i = 0; i < frames; ++i) {
        double t = static_cast<double>(i) / SampleRate;
        // Three quick bursts, then the room.
        double env = 0.0;
        for (double at : {0.0, 0.011, 0.022})
            if (t >= at)
                env = std::fmax(env, std::exp(-(t - at) / 0.006));
        env = std::fmax(env, 0.55 * std::exp(-(t - 0.022) / 0.09) * (t >= 0.022));
        float l = left.Band(noise.Bipolar(), 1250.0, 1.6);
        float r = right.Band(noise.Bipolar(), 1350.0, 1.6);
        float gain = static_cast<float>(env * level * 2.0);
        track.Add(start + i, gain * l, gain * r);
    }
}

void RenderSnare(Track& track, double time, float level, double decay, unsigned seed) {
    Noise noise(seed);
    Svf filter;
    Sine tone(0.0);
    int start = ToFrame(time);
    int frames = ToFrame(decay * 5.0);
    for (int i = 0; i < frames; ++i) {
        double t = static_cast<double>(i) / SampleRate;
        double body = tone.Next(190.0 + 60.0 * std::exp(-t / 0.01)) * std::exp(-t / 0.05) * 0.5;
        double rattle = filter.High(noise.Bipolar(), 1800.0) * std::exp(-t / decay);
        float value = static_cast<float>((body + rattle) * level);
        track.Add(start + i, value, value);
    }
}

void RenderCrash(Track& track, double time, float level, double decay, unsigned seed) {
    Noise noise(seed);
    Svf left, right, shimmer;
    int start = ToFrame(time);
    int frames = ToFrame(decay * 5.0);
    for (int i = 0; i < frames; ++i) {
        double t = static_cast<double>(i) / SampleRate;
        double env = std::fmin(t / 0.001, 1.0) * (0.55 * std::exp(-t / 0.08) + 0.45 * std::exp(-t / decay));
        float metal = shimmer.High(Metal(t * 1.7), 4000.0);
        float l = left.High(noise.Bipolar() + 0.4f * metal, 2600.0, 0.8);
        float r = right.High(noise.Bipolar() + 0.4f * metal, 2900.0, 0.8);
        float gain = static_cast<float>(env * level);
        track.Add(start + i, gain * l, gain * r);
    }
}

void RenderSwell(Track& track, double time, double length, float level, unsigned seed) {
    Noise noise(seed);
    Svf left, right;
    // Cut off just before the hit, as a reversed cymbal is: the hit then stands out clean.
    const double gap = 0.035;
    int start = ToFrame(time - length);
    int frames = ToFrame(length - gap);
    for (int i = 0; i < frames; ++i) {
        double u = static_cast<double>(i) / frames; // 0 .. 1 towards the cut
        double env = std::pow(u, 3.0) * std::fmin((1.0 - u) * length / 0.01, 1.0);
        double cutoff = 1500.0 + 9000.0 * u * u;
        float gain = static_cast<float>(env * level);
        // One draw per statement: the order of arguments is unspecified, the noise order must not be.
        float l = left.High(noise.Bipolar(), cutoff);
        float r = right.High(noise.Bipolar(), cutoff);
        track.Add(start + i, gain * l, gain * r);
    }
}

void RenderRiser(Track& track, double time, double length, float level, unsigned seed) {
    Noise noise(seed);
    Svf left, right, sawFilter;
    Saw saw(0.0), saw2(0.5);
    int start = ToFrame(time);
    int frames = ToFrame(length);
    for (int i = 0; i < frames; ++i) {
        double u = static_cast<double>(i) / frames;
        double env = u * u * std::fmin((1.0 - u) * length / 0.01, 1.0);
        double cutoff = 400.0 + 9000.0 * u * u;
        double hz = 220.0 * std::pow(2.0, 2.0 * u * u);
        float tone = sawFilter.Band(0.5f * (saw.Next(hz) + saw2.Next(hz * 1.01)), hz * 3.0, 2.0) * 0.5f;
        float gain = static_cast<float>(env * level);
        float l = left.Band(noise.Bipolar(), cutoff, 1.5);
        float r = right.Band(noise.Bipolar(), cutoff * 1.1, 1.5);
        track.Add(start + i, gain * (l + tone), gain * (r + tone));
    }
}

void RenderWind(Track& track, double time, double length, float level, unsigned seed) {
    Noise noise(seed);
    Svf left, right;
    int start = ToFrame(time);
    int frames = ToFrame(length);
    for (int i = 0; i < frames; ++i) {
        double t = static_cast<double>(i) / SampleRate;
        double u = t / length;
        double env = std::fmin(u / 0.3, 1.0) * std::fmin((1.0 - u) / 0.2, 1.0);
        double cutoff = 900.0 + 600.0 * std::sin(2.0 * Pi * 0.11 * t) + 400.0 * std::sin(2.0 * Pi * 0.07 * t + 1.0);
        float gain = static_cast<float>(env * level);
        float l = left.Band(noise.Bipolar(), cutoff, 3.0);
        float r = right.Band(noise.Bipolar(), cutoff * 1.3, 3.0);
        track.Add(start + i, gain * l, gain * r);
    }
}

} // namespace Halcyra::Music
