#pragma once

#include "Track.h"

namespace Halcyra::Music {

/// Noise and metal percussion. Every call takes its own seed, so a hit sounds the same in
/// every build but no two hits are sample-identical.
void RenderHat(Track& track, double time, float level, double decay, double pan, unsigned seed);
void RenderClap(Track& track, double time, float level, unsigned seed);
void RenderSnare(Track& track, double time, float level, double decay, unsigned seed);
/// Crash cymbal: a bright burst that rings for seconds.
void RenderCrash(Track& track, double time, float level, double decay, unsigned seed);
/// Filtered noise swelling towards `time` (a reversed cymbal), cut off 35 ms before it.
void RenderSwell(Track& track, double time, double length, float level, unsigned seed);
/// Rising noise sweep with a climbing saw, from `time` for `length` seconds.
void RenderRiser(Track& track, double time, double length, float level, unsigned seed);
/// Slow band-passed noise: wind under the intro.
void RenderWind(Track& track, double time, double length, float level, unsigned seed);

} // namespace Halcyra::Music
