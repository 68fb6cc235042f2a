#pragma once

#include "Track.h"

#include <vector>

namespace Halcyra::Music {

struct PadChord {
    double time;
    double length;               // seconds held; the release follows
    std::vector<int> notes;      // MIDI
    double cutoffFrom, cutoffTo; // low-pass sweep over the held part, Hz
    float level;
    double attack = 0.4;
    double release = 1.2;
};

/// Supersaw pad: seven detuned saws per note spread across the stereo field, through a
/// resonant low-pass that sweeps over the chord and breathes with a slow LFO.
void RenderPad(Track& track, const PadChord& chord, unsigned seed);

} // namespace Halcyra::Music
