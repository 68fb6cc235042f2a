#include "velorin/effects/Motion.h"

#include "velorin/Globals.h"

#include <cmath>
#include <cstdint>

namespace Velorin {

namespace {

// glibc's default generator: an additive feedback generator over 31 words, x[i] = x[i - 31] +
// x[i - 3], filled from the seed by a multiplicative congruential one, its first 310 outputs
// dropped; each output is a word without its lowest bit.
class AdditiveFeedback {
public:
    AdditiveFeedback() { Seed(1); }

    void Seed(unsigned seed) {
        std::int64_t word = seed == 0 ? 1 : static_cast<std::int32_t>(seed);
        state[0] = static_cast<std::uint32_t>(word);
        for (int i = 1; i < Degree; ++i) {
            // 16807 * word mod (2^31 - 1) without overflow (Schrage's method), as glibc does it.
            word = 16807 * (word % 127773) - 2836 * (word / 127773);
            if (word < 0)
                word += 2147483647;
            state[i] = static_cast<std::uint32_t>(word);
        }
        front = Separation;
        rear = 0;
        for (int i = 0; i < 10 * Degree; ++i)
            Next();
    }

    int Next() {
        state[front] += state[rear];
        int result = static_cast<int>(state[front] >> 1);
        front = (front + 1) % Degree;
        rear = (rear + 1) % Degree;
        return result;
    }

private:
    static constexpr int Degree = 31, Separation = 3;
    std::uint32_t state[Degree];
    int front = Separation, rear = 0;
};

AdditiveFeedback generator;

const float* NoiseTable() {
    static float table[NoiseTableSize];
    static bool filled = false;
    if (!filled) {
        for (float& value : table)
            value = SignedRandom();
        filled = true;
    }
    return table;
}

} // namespace

void SeedShowRandom(unsigned seed) { generator.Seed(seed); }

int ShowRandom() { return generator.Next(); }

float SignedRandom() { return static_cast<float>(static_cast<double>(ShowRandom()) / ShowRandomMax * 2.0 - 1.0); }

float Noise1(int seed, float x) {
    // The camera's warped time can be negative (a cut moves it back by up to 100 s), so the
    // index wraps with a floored modulo instead of reading before the table.
    long long index = static_cast<long long>(std::floor(x)) + static_cast<long long>(seed) * 3124;
    index %= NoiseTableSize;
    if (index < 0)
        index += NoiseTableSize;
    return NoiseTable()[index];
}

float SmoothNoise(int seed, float x) {
    float a = Noise1(seed, x);
    float b = Noise1(seed, x + 1.0f);
    return a + (x - std::floor(x)) * (b - a);
}

Gralith::Utils::Vector4t<float> NoiseVector(int seed, float x) {
    return {SmoothNoise(seed, x), SmoothNoise(seed + 1367, x), SmoothNoise(seed + 3441, x), 0.0f};
}

float Pulse(float t, float c, float before, float after, float e) {
    if (t < c - before || t > c + after)
        return 0.0f;
    if (t < c)
        return std::pow(1.0f - (c - t) / before, e);
    if (t == c)
        return 1.0f;
    return std::pow(1.0f - (t - c) / after, e);
}

float Beat(float t, float e) {
    const float pi = 3.14159265358979f;
    float wave = std::cos(2.0f * pi * Tempo * t / 60.0f);
    return std::pow(wave > 0.0f ? wave : 0.0f, e);
}

} // namespace Velorin
