#pragma once

#include "Track.h"

namespace Halcyra::Music {

/// Sine kick with a fast falling pitch and a short click. `weight` stretches the body and
/// lowers the final pitch: the heavy hits that the camera cuts on use more of it.
void RenderKick(Track& track, double time, float level, float weight, unsigned seed);

} // namespace Halcyra::Music
