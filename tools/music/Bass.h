#pragma once

#include "Track.h"

namespace Halcyra::Music {

/// Mono bass note: a sine sub under a low-passed saw whose filter snaps open at the start.
/// `sub` sets the sine's share, which is what the lowest spectrum band follows; `grit` drives
/// the saw harder for the heavy passage.
void RenderBassNote(Track& track, double time, double length, double midi, float level, float sub, float grit);

} // namespace Halcyra::Music
