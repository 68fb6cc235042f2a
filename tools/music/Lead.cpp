#include "Lead.h"

#include "Dsp.h"

#include <cmath>

namespace Halcyra::Music {

void RenderLeadNote(Track& track, double time, double length, double midi, float level, double brightness) {
    const double hz = NoteHz(midi);
    const double release = 0.18;
    Saw a(0.1), b(0.6);
    Sine square(0.0);
    Svf filterLeft, filterRight;
    Sine vibrato(0.0);
    int start = ToFrame(time);
    int frames = ToFrame(length + release);
    for (int i = 0; i < frames; ++i) {
        double t = static_cast<double>(i) / SampleRate;
        double depth = 0.004 * std::fmin(std::fmax((t - 0.22) / 0.3, 0.0), 1.0);
        double f = hz * (1.0 + depth * vibrato.Next(5.5));
        double env = Adsr(t, length, 0.006, 0.25, 0.7, release);
        double cutoff = (900.0 + 3800.0 * std::exp(-t / 0.18)) * brightness;
        float sq = square.Next(f * 0.5) >= 0.0f ? 0.35f : -0.35f;
        float sa = a.Next(f * 0.996), sb = b.Next(f * 1.004);
        float l = filterLeft.Low(0.8f * sa + 0.3f * sb + sq, cutoff, 1.8);
        float r = filterRight.Low(0.3f * sa + 0.8f * sb + sq, cutoff, 1.8);
        float gain = static_cast<float>(env * level);
        track.Add(start + i, gain * l, gain * r);
    }
}

} // namespace Halcyra::Music
