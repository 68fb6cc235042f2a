#include "Bell.h"

#include "Dsp.h"

#include <cmath>

namespace Halcyra::Music {

void RenderBell(Track& track, double time, double midi, float level, double pan, double decay) {
    const double hz = NoteHz(midi);
    float gainLeft, gainRight;
    Pan(pan, gainLeft, gainRight);
    double carrier = 0.0, modulator = 0.0;
    int start = ToFrame(time);
    int frames = ToFrame(decay * 5.0);
    for (int i = 0; i < frames; ++i) {
        double t = static_cast<double>(i) / SampleRate;
        double index = 2.2 * std::exp(-t / (decay * 0.35));
        double value = std::sin(2.0 * Pi * carrier + index * std::sin(2.0 * Pi * modulator));
        carrier += hz / SampleRate;
        modulator += 3.5 * hz / SampleRate;
        carrier -= std::floor(carrier);
        modulator -= std::floor(modulator);
        double env = std::fmin(t / 0.002, 1.0) * std::exp(-t / decay);
        float out = static_cast<float>(value * env * level);
        track.Add(start + i, out * gainLeft, out * gainRight);
    }
}

} // namespace Halcyra::Music
