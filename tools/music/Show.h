#pragma once

#include "Track.h"

#include <vector>

namespace Halcyra::Music {

/// The show's timeline as the picture has it (music seconds).
struct Show {
    static constexpr double Length = 50.0; // the picture ends at 49.17 s; the file runs past it
    static constexpr double Drop = 13.176; // kick and bass enter with the wide camera
    static constexpr double HeavyFrom = 42.71, HeavyTo = 44.49;
    static constexpr double FadeFrom = 45.5;
    /// Flashes and overlay changes: each gets a crash or a hit.
    static const std::vector<double>& Accents();
};

/// Renders the whole piece: every voice, the sends through echo and reverb, the pumping of
/// pads and bass under the kick, and the master fade. Peaks are left for the limiter.
Track RenderShow();

} // namespace Halcyra::Music
