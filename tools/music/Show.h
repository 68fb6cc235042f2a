#pragma once

#include "Track.h"

#include "velorin/effects/ShowCues.h"

namespace Halcyra::Music {

/// The picture's cues (music seconds): the drop, the flashes, the heavy passage, the end.
namespace Cues = Velorin::ShowCues;

/// The music's own extent around those cues.
struct Show {
    static constexpr double Length = 50.0; // the file runs past the picture's end (Cues::End)
    static constexpr double FadeFrom = 45.5;
};

/// Renders the whole piece: every voice, the sends through echo and reverb, the pumping of
/// pads and bass under the kick, and the master fade. Peaks are left for the limiter.
Track RenderShow();

} // namespace Halcyra::Music
