#pragma once

#include "velorin/effects/ShowCues.h"

namespace Velorin::ShowTimeline {

/// The decisions of the scene effect as pure functions of the music time t (seconds), so any
/// moment of the show can be computed without playing up to it.

/// The music time at which the show ends itself.
constexpr float EndTime = static_cast<float>(ShowCues::End);
/// The drop: camera, lights and glow change character here.
constexpr float DropTime = static_cast<float>(ShowCues::Drop);

/// Brightness of the scene on the window: fades in over 4 s, out over the second before
/// ShowCues::SceneFadedOut (negative after it).
float Fade(float t);
/// How strongly the bass drives the glow: 15 before the drop, 10 in the heaviest passage, else 1.
float GlowBoost(float t);
/// The glow's strength for the lowest spectrum band.
float GlowStrength(float t, float bass);
/// The white flash: the sum of the accent pulses.
float Flash(float t);
/// Opacity of the intro's maker logo: in over 4 s, held until 8 s, out by 10 s.
float IntroAlpha(float t);

/// The images drawn over the composite.
enum class Overlay {
    Intro, ///< the maker logo zooming in
    Logo,  ///< the party logo over its glow streak
    None,  ///< the pure scene section
    Title, ///< a title card over the blue streak
    Ended, ///< the show is over: nothing is drawn
};

struct OverlayLayers {
    Overlay kind = Overlay::None;
    int title = 0;         ///< 1-5 for Title
    float streakColor = 0; ///< grey level and alpha of the streak layer
    float imageColor = 0;  ///< grey level and alpha of the logo or title layer
};

/// Which overlay shows at t, with its colours; beat pulses the streaks.
OverlayLayers SelectOverlay(float t);

/// The camera's cut rule on strong bass: counts the timer down by dt and, when it has run out and
/// bass is above 0.45, rearms it for 0.5 s. Answers whether it cut.
bool StepCut(float& timer, float dt, float bass);

/// The camera's cuts as a function of the music time: the cut rule stepped at a fixed rate over
/// the music's lowest band from the start, each cut taking the next offset in -100..100 of a
/// fixed sequence. A moment therefore shows the same camera whether it was reached by playing,
/// at any frame rate, or by seeking to it.
class CutTrack {
public:
    /// Seconds between two steps of the rule.
    static constexpr double Step = 1.0 / 60.0;

    /// The offset in force at t, where bassAt(s) gives the lowest band at music time s. Moving
    /// forward steps on from the last call; moving back starts again from 0.
    template <class BassAt>
    float OffsetAt(double t, BassAt&& bassAt) {
        if (t < steps * Step)
            Restart();
        while ((steps + 1) * Step <= t) {
            ++steps;
            if (StepCut(timer, static_cast<float>(Step), bassAt(steps * Step)))
                offset = NextOffset();
        }
        return offset;
    }
    /// Back to the state before the music starts: no cut yet, offset 0.
    void Restart();
    /// How many cuts happened up to the last time asked.
    int GetCutCount() const { return cuts; }

private:
    float NextOffset();

    long long steps = 0;
    float timer = 0.0f;
    float offset = 0.0f;
    int cuts = 0;
    unsigned random = 0;
};

} // namespace Velorin::ShowTimeline
