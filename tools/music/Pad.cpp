#include "Pad.h"

#include "Dsp.h"

#include <cmath>

namespace Halcyra::Music {

void RenderPad(Track& track, const PadChord& chord, unsigned seed) {
    constexpr int Voices = 7;
    static const double detune[Voices] = {-0.19, -0.11, -0.04, 0.0, 0.05, 0.12, 0.18}; // semitones
    static const double spread[Voices] = {-0.9, 0.6, -0.3, 0.0, 0.35, -0.65, 0.95};
    Noise noise(seed);
    struct Osc {
        Saw saw;
        double hz;
        float gainLeft, gainRight;
    };
    std::vector<Osc> oscs;
    for (int note : chord.notes)
        for (int v = 0; v < Voices; ++v) {
            Osc osc{Saw(noise.Unit()), NoteHz(note + detune[v]), 0.0f, 0.0f};
            Pan(spread[v], osc.gainLeft, osc.gainRight);
            oscs.push_back(osc);
        }
    const float norm = 1.0f / std::sqrt(static_cast<float>(oscs.size()));
    Svf filterLeft, filterRight;
    int start = ToFrame(chord.time);
    int frames = ToFrame(chord.length + chord.release);
    double lfoPhase = noise.Unit();
    for (int i = 0; i < frames; ++i) {
        double t = static_cast<double>(i) / SampleRate;
        float l = 0.0f, r = 0.0f;
        for (Osc& osc : oscs) {
            float s = osc.saw.Next(osc.hz);
            l += s * osc.gainLeft;
            r += s * osc.gainRight;
        }
        double sweep = std::fmin(t / chord.length, 1.0);
        double cutoff = chord.cutoffFrom * std::pow(chord.cutoffTo / chord.cutoffFrom, sweep);
        cutoff *= 1.0 + 0.25 * std::sin(2.0 * Pi * (0.23 * t + lfoPhase));
        double env = Adsr(t, chord.length, chord.attack, 1.0, 1.0, chord.release);
        float gain = static_cast<float>(env * chord.level) * norm;
        track.Add(start + i, gain * filterLeft.Low(l, cutoff, 1.4), gain * filterRight.Low(r, cutoff * 1.03, 1.4));
    }
}

} // namespace Halcyra::Music
