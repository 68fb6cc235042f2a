#pragma once

#include "Track.h"

namespace Halcyra::Music {

/// Sine kick with a fast falling pitch and a short click. `weight` holds the body longer, lowers
/// its final pitch and drives it towards a square: the heavy hits that the camera cuts on use
/// more of it. The kick fades out by `length` seconds, so a long one never masks the next.
/// A `tight` kick holds a little longer, then dies within tens of milliseconds, so the lowest
/// spectrum band (which the glow follows) falls back well before the next beat.
void RenderKick(Track& track, double time, double length, float level, float weight, unsigned seed, bool tight = false);

} // namespace Halcyra::Music
