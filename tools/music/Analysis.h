#pragma once

#include "Track.h"

namespace Halcyra::Music {

/// What the picture will make of the mix, measured the way the engine's music stream does.
struct Summary {
    double maxBeforeDrop;   // lowest band before the drop
    double medianAfterDrop; // lowest band, 13.2 - 45 s at 60 fps
    int cuts;               // camera cuts the scene effect would make
};

/// The lowest band of a 512-frame Hann-windowed spectrum starting at `seconds`: the
/// magnitude of the window-weighted mean of the mono mix.
double LowBand(const Track& mix, double seconds);
Summary Summarise(const Track& mix);

} // namespace Halcyra::Music
