#include "velorin/effects/Motion.h"

#include "velorin/Globals.h"

#include <cmath>
#include <cstdlib>

namespace Velorin {

namespace {

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

float SignedRandom() { return static_cast<float>(static_cast<double>(std::rand()) / RAND_MAX * 2.0 - 1.0); }

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
