#pragma once

#include "Track.h"

namespace Halcyra::Music {

/// Lead synth note: two detuned saws (one leaning to each side) and a square an octave below,
/// through a low-pass with a plucky envelope; vibrato fades in on long notes.
void RenderLeadNote(Track& track, double time, double length, double midi, float level, double brightness);

} // namespace Halcyra::Music
