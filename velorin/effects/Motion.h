#pragma once

#include "gralith/utils/scenegraph/Vector4.h"

namespace Velorin {

/// Entries of the value-noise table.
constexpr int NoiseTableSize = 10000;

/// The largest value of ShowRandom.
constexpr int ShowRandomMax = 2147483647;
/// The show's own random numbers, 0 .. ShowRandomMax: the sequence glibc's rand() gives after
/// srand with the same seed (what the show was composed with), on every platform. The C
/// library's rand() differs between platforms (Windows' answers 15-bit values of another
/// formula), so particles and camera noise drawn from it made the same moment look different
/// on Windows. Before the first SeedShowRandom the sequence is that of seed 1.
void SeedShowRandom(unsigned seed);
int ShowRandom();

/// ShowRandom mapped onto -1..1. The show was tuned for a generator with 15-bit values
/// (rand() / 32767); dividing by ShowRandomMax keeps the same range with 31-bit values.
float SignedRandom();

/// Value noise: one table entry per integer step of x, chosen by seed. The table is filled
/// from ShowRandom on the first call, so the call order decides its contents.
float Noise1(int seed, float x);
/// Noise1 interpolated linearly between the integer steps around x.
float SmoothNoise(int seed, float x);
/// Three unrelated smooth noise tracks (x, y, z; w is 0).
Gralith::Utils::Vector4t<float> NoiseVector(int seed, float x);
/// An envelope peaking at 1 at time c: it rises over before seconds and decays over after
/// seconds, both shaped by the exponent e; 0 outside.
float Pulse(float t, float c, float before, float after, float e);
/// 1 on every beat of the music at Tempo, 0 for the half period between beats.
float Beat(float t, float e);

} // namespace Velorin
