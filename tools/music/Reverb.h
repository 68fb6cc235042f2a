#pragma once

#include "Track.h"

namespace Halcyra::Music {

/// Room reverb in the Schroeder-Moorer style: eight damped combs and four all-passes per side,
/// the right side's delays slightly longer for width. Returns only the reverberated signal.
Track Reverberate(const Track& input, double roomSize, double damping);

/// Ping-pong echo: `delay` seconds between repeats, alternating sides, each repeat darker.
Track Echo(const Track& input, double delay, double feedback);

} // namespace Halcyra::Music
