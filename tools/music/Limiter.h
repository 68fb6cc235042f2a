#pragma once

#include "Track.h"

namespace Halcyra::Music {

/// Look-ahead peak limiter: the gain reaches its floor before a peak arrives and recovers
/// slowly, so kicks that stack with crashes stay under `ceiling` without audible clicks.
void Limit(Track& mix, float ceiling);

} // namespace Halcyra::Music
