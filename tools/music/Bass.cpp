#include "Bass.h"

#include "Dsp.h"

#include <cmath>

namespace Halcyra::Music {

void RenderBassNote(Track& track, double time, double length, double midi, float level, float sub, float grit) {
    const double hz = NoteHz(midi);
    const double release = 0.03;
    Saw saw(0.0);
    Saw detuned(0.37);
    Sine sine(0.0);
    Svf filter;
    int start = ToFrame(time);
    int frames = ToFrame(length + release);
    for (int i = 0; i < frames; ++i) {
        double t = static_cast<double>(i) / SampleRate;
        double env = Adsr(t, length, 0.004, 0.09, 0.75, release);
        double cutoff = 180.0 + (900.0 + 1800.0 * grit) * std::exp(-t / 0.07);
        double raw = 0.5 * (saw.Next(hz) + detuned.Next(hz * 1.006));
        double body = filter.Low(static_cast<float>(raw * (1.0 + 3.0 * grit)), cutoff, 1.2);
        body = std::tanh(body) * 0.6;
        double value = env * (sub * sine.Next(hz) + body);
        float out = static_cast<float>(level * value);
        track.Add(start + i, out, out);
    }
}

} // namespace Halcyra::Music
