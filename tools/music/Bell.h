#pragma once

#include "Track.h"

namespace Halcyra::Music {

/// Two-operator FM bell for the arpeggios: the modulation index decays faster than the tone,
/// so each note starts glassy and rings out pure.
void RenderBell(Track& track, double time, double midi, float level, double pan, double decay);

} // namespace Halcyra::Music
