#pragma once

#include "velorin/effects/ShowCues.h"

#include <cmath>
#include <cstdint>

// Small signal-processing pieces shared by the voices. Everything runs at one fixed rate and
// every random value comes from a seeded generator, so a build always writes the same file.
namespace Halcyra::Music {

constexpr int SampleRate = 44100;
constexpr double Pi = 3.14159265358979323846;
constexpr double Tempo = Velorin::ShowCues::Tempo;
constexpr double Beat = 60.0 / Tempo;

inline double NoteHz(double midi) { return 440.0 * std::pow(2.0, (midi - 69.0) / 12.0); }
inline int ToFrame(double seconds) { return static_cast<int>(std::lround(seconds * SampleRate)); }

/// xorshift32: the same sequence on every compiler, unlike the standard distributions.
class Noise {
public:
    explicit Noise(uint32_t seed) : state(seed ? seed : 0x9e3779b9u) {}
    uint32_t Next() {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    }
    /// Uniform in [-1, 1).
    float Bipolar() { return static_cast<float>(Next() >> 8) * (2.0f / 16777216.0f) - 1.0f; }
    /// Uniform in [0, 1).
    float Unit() { return static_cast<float>(Next() >> 8) * (1.0f / 16777216.0f); }

private:
    uint32_t state;
};

/// Trapezoidal state-variable filter: stays stable while the cutoff sweeps every sample.
class Svf {
public:
    struct Out {
        float low, band, high;
    };
    Out Process(float x, double cutoff, double q) {
        cutoff = std::fmin(std::fmax(cutoff, 10.0), SampleRate * 0.45);
        double g = std::tan(Pi * cutoff / SampleRate);
        double k = 1.0 / q;
        double a1 = 1.0 / (1.0 + g * (g + k));
        double a2 = g * a1;
        double a3 = g * a2;
        double v3 = x - ic2;
        double v1 = a1 * ic1 + a2 * v3;
        double v2 = ic2 + a2 * ic1 + a3 * v3;
        ic1 = 2.0 * v1 - ic1;
        ic2 = 2.0 * v2 - ic2;
        return {static_cast<float>(v2), static_cast<float>(v1), static_cast<float>(x - k * v1 - v2)};
    }
    float Low(float x, double cutoff, double q = 0.7071) { return Process(x, cutoff, q).low; }
    float High(float x, double cutoff, double q = 0.7071) { return Process(x, cutoff, q).high; }
    float Band(float x, double cutoff, double q = 0.7071) { return Process(x, cutoff, q).band; }

private:
    double ic1 = 0.0, ic2 = 0.0;
};

/// Band-limited sawtooth (polyBLEP): detuned stacks of these alias far less than naive ramps.
class Saw {
public:
    explicit Saw(double phase = 0.0) : phase(phase) {}
    float Next(double hz) {
        double dt = hz / SampleRate;
        double value = 2.0 * phase - 1.0 - Blep(phase, dt);
        phase += dt;
        if (phase >= 1.0)
            phase -= 1.0;
        return static_cast<float>(value);
    }

private:
    static double Blep(double t, double dt) {
        if (t < dt) {
            t /= dt;
            return t + t - t * t - 1.0;
        }
        if (t > 1.0 - dt) {
            t = (t - 1.0) / dt;
            return t * t + t + t + 1.0;
        }
        return 0.0;
    }
    double phase;
};

/// Sine oscillator with a running phase, so its pitch can glide without clicks.
class Sine {
public:
    explicit Sine(double phase = 0.0) : phase(phase) {}
    float Next(double hz) {
        float value = static_cast<float>(std::sin(2.0 * Pi * phase));
        phase += hz / SampleRate;
        phase -= std::floor(phase);
        return value;
    }

private:
    double phase;
};

/// Attack-decay-sustain-release level for a note held for `length` seconds, at time t since its start.
inline float Adsr(double t, double length, double attack, double decay, double sustain, double release) {
    auto held = [&](double u) {
        if (u < attack)
            return u / attack;
        u -= attack;
        return sustain + (1.0 - sustain) * std::exp(-u / decay);
    };
    if (t < 0.0)
        return 0.0f;
    if (t < length)
        return static_cast<float>(held(t));
    double r = t - length;
    if (r >= release)
        return 0.0f;
    return static_cast<float>(held(length) * (1.0 - r / release) * (1.0 - r / release));
}

/// Equal-power pan gains for pan in -1 (left) .. 1 (right).
inline void Pan(double pan, float& left, float& right) {
    double angle = (pan + 1.0) * 0.25 * Pi;
    left = static_cast<float>(std::cos(angle) * std::sqrt(2.0));
    right = static_cast<float>(std::sin(angle) * std::sqrt(2.0));
}

} // namespace Halcyra::Music
