#include "Kick.h"

#include "Dsp.h"

#include <algorithm>
#include <cmath>

namespace Halcyra::Music {

void RenderKick(Track& track, double time, double length, float level, float weight, unsigned seed, bool tight) {
    const double bottom = 50.0 - 12.0 * weight; // Hz the body settles on
    const double decay = tight ? 0.025 : 0.11 + 0.4 * weight;
    // Full level while the pitch settles; a tight kick keeps its weight in a longer hold.
    const double hold = (tight ? 0.13 : 0.1) * weight;
    const double drive = 1.6 + 2.4 * weight;
    const double sweep = 0.022 - 0.007 * weight;
    Noise noise(seed);
    Svf clickFilter;
    Sine body;
    int start = ToFrame(time);
    int frames = ToFrame(length);
    for (int i = 0; i < frames; ++i) {
        double t = static_cast<double>(i) / SampleRate;
        double hz = bottom + 190.0 * std::exp(-t / sweep) + 40.0 * std::exp(-t / (0.08 - 0.04 * weight));
        double amp = std::min(1.0, t / 0.0015) * std::exp(-std::max(t - hold, 0.0) / decay);
        // Fade the last 50 ms so the tail never ends on a step.
        amp *= std::min(1.0, (length - t) / 0.05);
        // Heavy hits are driven into a near-square: the same peak carries far more sub-bass.
        double value = amp * std::tanh(drive * body.Next(hz)) / std::tanh(drive);
        double click = clickFilter.Band(noise.Bipolar(), 3500.0, 0.9) * std::exp(-t / 0.004) * 0.3;
        float out = static_cast<float>(level * (value + click));
        track.Add(start + i, out, out);
    }
}

} // namespace Halcyra::Music
