#pragma once

#include "gralith/utils/scenegraph/Vector4.h"

namespace Velorin {

/// Entries of the value-noise table.
constexpr int NoiseTableSize = 10000;

/// The C library's rand() mapped onto -1..1. The show was tuned for a generator with 15-bit
/// values (rand() / 32767); dividing by the library's own RAND_MAX keeps the same range where
/// rand() answers 31-bit values.
float SignedRandom();

/// Value noise: one table entry per integer step of x, chosen by seed. The table is filled
/// from the C library's rand() on the first call, so the call order decides its contents.
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
