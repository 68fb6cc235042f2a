#include "Show.h"

#include "Bass.h"
#include "Bell.h"
#include "Dsp.h"
#include "Kick.h"
#include "Lead.h"
#include "Pad.h"
#include "Percussion.h"
#include "Reverb.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <vector>

namespace Halcyra::Music {

namespace {

double At(double beat) { return beat * Beat; }

// A minor: i - VI - III - VII, one bar each, the phrase starting on beat 32 (15.0 s).
struct Chord {
    int root; // bass MIDI note
    std::vector<int> pad;
    std::vector<int> arp;
};
const Chord& ChordAt(double beat) {
    static const Chord chords[4] = {
        {33, {57, 60, 64, 69, 71}, {69, 72, 76, 79, 81, 76, 72, 71}},
        {29, {53, 57, 60, 64, 69}, {65, 69, 72, 76, 77, 76, 72, 69}},
        {36, {55, 60, 62, 64, 67}, {67, 72, 74, 76, 79, 76, 74, 72}},
        {31, {55, 59, 62, 67, 69}, {67, 71, 74, 79, 81, 79, 74, 71}},
    };
    int bar = static_cast<int>(std::floor((beat - 32.0) / 4.0));
    return chords[((bar % 4) + 4) % 4];
}

struct Note {
    double beat, length;
    int midi;
};
// The theme in beats from its start; the answer phrase differs in the last bar.
const std::vector<Note>& Theme(bool answer) {
    static const std::vector<Note> call = {
        {0, 1.5, 76},   {1.5, 0.5, 74},  {2, 1, 72},    {3, 0.5, 74},    {3.5, 0.5, 76}, {4, 1.5, 77},
        {5.5, 0.5, 76}, {6, 1, 72},      {7, 1, 69},    {8, 1.5, 79},    {9.5, 0.5, 77}, {10, 1, 76},
        {11, 0.5, 72},  {11.5, 0.5, 74}, {12, 1.5, 74}, {13.5, 0.5, 72}, {14, 2, 71},
    };
    static const std::vector<Note> response = {
        {0, 1.5, 76},   {1.5, 0.5, 74},  {2, 1, 72},    {3, 0.5, 74},    {3.5, 0.5, 76}, {4, 1.5, 77},
        {5.5, 0.5, 76}, {6, 1, 72},      {7, 1, 69},    {8, 1.5, 79},    {9.5, 0.5, 77}, {10, 1, 76},
        {11, 0.5, 79},  {11.5, 0.5, 81}, {12, 0.5, 79}, {12.5, 0.5, 77}, {13, 1, 76},    {14, 2, 74},
    };
    return answer ? response : call;
}

struct Hit {
    double time;
    bool strong;
    bool tight = false; // the heavy passage: lit on the kick, dark between
};

std::vector<Hit> Kicks() {
    std::vector<Hit> kicks;
    // The first hit lands with the picture's drop rather than on beat 28 (51 ms earlier), and one
    // spectrum window (512 frames) after it, so no frame drawn with the fifteenfold glow of the
    // intro ever sees the kick.
    kicks.push_back({Cues::Drop + 512.0 / SampleRate, true});
    for (int beat = 29; beat <= 94; ++beat) {
        bool heavy = beat >= 91;
        bool phrase = beat % 8 == 0;
        kicks.push_back({At(beat), heavy || phrase, heavy});
    }
    kicks.push_back({Cues::Title5, true, true});
    kicks.push_back({Cues::LastFlash, true});
    return kicks;
}

// Gain of pumped voices: down at every kick, back within a few hundred milliseconds.
std::vector<float> Pump(const std::vector<Hit>& kicks, int frames, double depth, double recovery) {
    std::vector<float> gain(static_cast<size_t>(frames), 1.0f);
    for (size_t k = 0; k < kicks.size(); ++k) {
        int start = ToFrame(kicks[k].time);
        int end = k + 1 < kicks.size() ? ToFrame(kicks[k + 1].time) : frames;
        for (int i = std::max(start - 64, 0); i < std::min(end, frames); ++i) {
            double t = static_cast<double>(i - start) / SampleRate;
            double dip = t < 0.0 ? (t + 64.0 / SampleRate) / (64.0 / SampleRate) : std::exp(-t / recovery);
            gain[static_cast<size_t>(i)] = static_cast<float>(1.0 - depth * dip);
        }
    }
    return gain;
}

void HighPass(Track& track, double cutoff) {
    Svf l1, l2, r1, r2;
    for (size_t i = 0; i < track.left.size(); ++i) {
        track.left[i] = l2.High(l1.High(track.left[i], cutoff), cutoff);
        track.right[i] = r2.High(r1.High(track.right[i], cutoff), cutoff);
    }
}

// Soft clip for noisy percussion: its peaks are random spikes that the ear hardly hears but
// that would make the limiter pull the kick down with them.
void Tame(Track& track, float knee) {
    for (size_t i = 0; i < track.left.size(); ++i) {
        track.left[i] = knee * std::tanh(track.left[i] / knee);
        track.right[i] = knee * std::tanh(track.right[i] / knee);
    }
}

void Apply(Track& track, const std::vector<float>& gain) {
    for (size_t i = 0; i < track.left.size(); ++i) {
        track.left[i] *= gain[i];
        track.right[i] *= gain[i];
    }
}

} // namespace

Track RenderShow() {
    const int frames = ToFrame(Show::Length);
    const std::vector<Hit> kicks = Kicks();
    // Flashes and overlay changes: each gets a crash or a hit.
    const std::vector<double> accents(std::begin(Cues::Flashes), std::end(Cues::Flashes));
    unsigned seed = 1;

    // Everything before the drop lives on one bus cut below 170 Hz: the lowest spectrum band
    // drives a glow boosted fifteenfold there, so that band must stay near silence.
    Track intro(frames);
    {
        const double starts[5] = {0, 8, 16, 22, 27.5};
        const double cutFrom[4] = {350, 700, 1100, 1800}, cutTo[4] = {700, 1200, 2200, 5500};
        static const std::vector<int> voicing[4] = {
            {57, 60, 64, 69, 71}, {57, 60, 65, 69, 72}, {55, 60, 64, 67, 74}, {55, 59, 62, 67, 71}};
        for (int c = 0; c < 4; ++c) {
            PadChord chord{At(starts[c]), At(starts[c + 1] - starts[c]), voicing[c], cutFrom[c], cutTo[c], 0.20f};
            chord.attack = c == 0 ? 3.0 : 0.6;
            chord.release = c == 3 ? 0.25 : 1.2;
            RenderPad(intro, chord, seed++);
        }
        RenderWind(intro, 0.0, 12.9, 0.10f, seed++);
        // Bell arpeggio from beat 8 (the F chord), growing towards the riser.
        for (int step = 16; step < 55; ++step) {
            double beat = step * 0.5;
            int index = beat < 16 ? 1 : beat < 22 ? 2 : 3;
            int note = ChordAt(32.0 + 4.0 * index).arp[static_cast<size_t>(step % 8)];
            float level = static_cast<float>(0.05 + 0.07 * (beat - 8.0) / 19.0);
            RenderBell(intro, At(beat), note, level, step % 2 ? 0.6 : -0.6, 0.35);
        }
        RenderRiser(intro, At(18), At(27.5) - At(18), 0.14f, seed++);
        // Snare roll: eighths, sixteenths, then thirty-seconds into the gap before the drop.
        for (double beat = 20; beat < 27.4;) {
            double step = beat < 24 ? 0.5 : beat < 26 ? 0.25 : 0.125;
            float level = static_cast<float>(0.04 + 0.12 * (beat - 20.0) / 7.5);
            RenderSnare(intro, At(beat), level, 0.06, seed++);
            beat += step;
        }
    }
    HighPass(intro, 170.0);

    Track kick(frames);
    for (size_t k = 0; k < kicks.size(); ++k) {
        const Hit& hit = kicks[k];
        double length = hit.strong ? 0.4 : 0.32;
        if (k + 1 < kicks.size())
            length = std::min(length, kicks[k + 1].time - hit.time - 0.04);
        RenderKick(kick, hit.time, length, hit.strong ? 0.85f : 0.52f, hit.strong ? 1.0f : 0.0f, seed++, hit.tight);
    }

    // In the heavy passage the glow is boosted tenfold: there the bass keeps its grit but leaves
    // the lowest band (below 170 Hz) to the tight kicks, so the frame is lit on each kick and
    // falls back between them instead of flooding.
    Track bass(frames), heavyBass(frames);
    for (int beat = 28; beat <= 94; ++beat)
        for (int sixteenth = 1; sixteenth < 4; ++sixteenth) {
            const Chord& chord = ChordAt(std::max(beat, 32)); // the drop bar is on the tonic
            bool heavy = beat >= 91;
            int midi = chord.root + (sixteenth == 2 ? 12 : 0);
            RenderBassNote(heavy ? heavyBass : bass, At(beat + 0.25 * sixteenth), 0.09, midi, heavy ? 0.42f : 0.36f,
                           heavy ? 0.0f : 0.55f, heavy ? 1.0f : 0.3f);
        }
    HighPass(heavyBass, 170.0);
    bass.AddTrack(heavyBass, 1.0f);

    Track pads(frames);
    for (int bar = 0; bar < 17; ++bar) {
        double beat = 28 + 4.0 * bar;
        const Chord& chord = ChordAt(bar == 0 ? 32 : beat);
        bool open = beat >= 48 && beat < 64;
        bool heavy = beat >= 88;
        // The last bar's chord gives way to the closing hits, 40 ms before the one at Cues::Title5.
        double length = std::min(At(4), 44.45 - At(beat));
        PadChord pc{At(beat), length, chord.pad, open ? 1800.0 : 1100.0, heavy ? 6000.0 : open ? 4200.0 : 2600.0,
                    0.15f};
        pc.attack = 0.02;
        pc.release = 0.4;
        RenderPad(pads, pc, seed++);
    }
    {
        PadChord last{Cues::LastFlash, 4.2, {45, 57, 60, 64, 69, 71}, 3200.0, 700.0, 0.2f};
        last.attack = 0.01;
        last.release = 1.5;
        RenderPad(pads, last, seed++);
    }
    HighPass(pads, 140.0);

    Track lead(frames);
    auto playTheme = [&](double from, double until, bool answer, int transpose, double brightness, float level) {
        for (const Note& note : Theme(answer))
            if (from + note.beat < until)
                RenderLeadNote(lead, At(from + note.beat), At(note.length) * 0.92, note.midi + transpose, level,
                               brightness);
    };
    playTheme(32, 48, false, 0, 1.0, 0.16f);
    playTheme(64, 80, false, 0, 1.1, 0.16f);
    playTheme(80, 92, true, 12, 1.2, 0.12f);
    // Heavy passage, on the G bar: its fifth and third hammered in eighths, resolving to A at the end.
    for (double beat = 92; beat < 95; beat += 0.5)
        RenderLeadNote(lead, At(beat), At(0.4), beat - std::floor(beat) < 0.25 ? 86 : 83, 0.11f, 1.4);
    RenderLeadNote(lead, Cues::LastFlash, 2.4, 81, 0.14f, 1.0);

    Track bells(frames);
    for (int step = 96; step < 128; ++step) { // beats 48 - 64 in eighths
        double beat = step * 0.5;
        const Chord& chord = ChordAt(beat);
        RenderBell(bells, At(beat), chord.arp[static_cast<size_t>(step % 8)] + 12, 0.07f, step % 2 ? 0.7 : -0.7, 0.25);
    }
    for (int i = 0; i < 8; ++i) // the outro's falling echoes
        RenderBell(bells, 45.4 + i * At(1.5), 81 - (i % 4) * 3 - (i / 4) * 12, 0.08f - 0.006f * i, i % 2 ? 0.5 : -0.5,
                   0.6);

    Track drums(frames);
    for (int beat = 28; beat <= 94; ++beat) {
        bool full = beat >= 32;
        for (int sixteenth = 0; sixteenth < 4; ++sixteenth) {
            double t = At(beat + 0.25 * sixteenth);
            if (sixteenth == 2)
                RenderHat(drums, t, 0.12f, 0.07, 0.25, seed++);
            else if (full)
                RenderHat(drums, t, sixteenth == 0 ? 0.07f : 0.10f, 0.018, -0.3, seed++);
        }
        if (beat % 2 == 1)
            RenderClap(drums, At(beat), 0.26f, seed++);
    }
    // Fills into the second half and into the fourth card, and the roll through the heavy passage.
    for (double beat = 62.5; beat < 63.3; beat += 0.25)
        RenderSnare(drums, At(beat), static_cast<float>(0.06 + 0.06 * (beat - 62.5)), 0.05, seed++);
    for (double beat = 78.5; beat < 79.3; beat += 0.25)
        RenderSnare(drums, At(beat), static_cast<float>(0.06 + 0.06 * (beat - 78.5)), 0.05, seed++);
    for (double beat = 91; beat < 94.5; beat += 0.25)
        RenderSnare(drums, At(beat), static_cast<float>(0.06 + 0.03 * (beat - 91)), 0.05, seed++);
    // The accents stay out of the pumping: they are what the picture flashes on.
    Track hits(frames);
    for (size_t a = 0; a < accents.size(); ++a) {
        double t = accents[a];
        bool big = a == 0 || a == 2 || a + 1 == accents.size(); // the drop phrase, the second half, the end
        double swell = a == 0 ? 0.4 : a == 1 ? 0.2 : a == 6 ? 0.0 : 0.3;
        if (swell > 0.0)
            RenderSwell(hits, t, swell, 0.12f, seed++);
        RenderCrash(hits, t, big ? 0.4f : 0.36f, a == 6 ? 0.12 : big ? 0.8 : 0.55, seed++);
        RenderSnare(hits, t, 0.2f, 0.12, seed++);
    }

    Tame(drums, 0.2f);
    Tame(hits, 0.26f);

    // Pumping: pads and reverb breathe under the kick, the bass steps aside for it.
    std::vector<Hit> pumpKicks = kicks;
    Apply(pads, Pump(pumpKicks, frames, 0.75, 0.16));
    Apply(bass, Pump(pumpKicks, frames, 0.9, 0.06));

    Track reverbSend(frames), echoSend(frames);
    reverbSend.AddTrack(intro, 0.5f);
    reverbSend.AddTrack(pads, 0.25f);
    reverbSend.AddTrack(lead, 0.5f);
    reverbSend.AddTrack(bells, 0.6f);
    reverbSend.AddTrack(drums, 0.25f);
    reverbSend.AddTrack(hits, 0.3f);
    echoSend.AddTrack(lead, 0.45f);
    echoSend.AddTrack(bells, 0.5f);
    HighPass(reverbSend, 250.0);
    HighPass(echoSend, 300.0);
    Track echo = Echo(echoSend, At(0.75), 0.42);
    reverbSend.AddTrack(echo, 0.3f);
    Track reverb = Reverberate(reverbSend, 0.82, 0.5);
    Apply(reverb, Pump(pumpKicks, frames, 0.4, 0.2));

    // Everything but the kick steps back on the heavy hits, so they punch through without the
    // limiter flattening them.
    Track rest(frames);
    rest.AddTrack(intro, 1.0f);
    rest.AddTrack(bass, 1.0f);
    rest.AddTrack(pads, 1.0f);
    rest.AddTrack(lead, 1.0f);
    rest.AddTrack(bells, 1.0f);
    rest.AddTrack(drums, 1.0f);
    rest.AddTrack(echo, 0.5f);
    rest.AddTrack(reverb, 0.9f);
    std::vector<Hit> heavyKicks;
    for (const Hit& hit : kicks)
        if (hit.strong)
            heavyKicks.push_back(hit);
    std::vector<float> duck = Pump(kicks, frames, 0.2, 0.05);
    std::vector<float> heavyDuck = Pump(heavyKicks, frames, 0.6, 0.09);
    for (size_t i = 0; i < duck.size(); ++i)
        duck[i] = std::min(duck[i], heavyDuck[i]);
    Apply(rest, duck);
    Track mix(frames);
    mix.AddTrack(kick, 1.0f);
    mix.AddTrack(rest, 1.0f);
    mix.AddTrack(hits, 1.0f);

    // Fade out from 45.5 s to a quiet bed that still plays at the end, then a short ramp so the
    // last sample is silence.
    for (int i = ToFrame(Show::FadeFrom); i < frames; ++i) {
        double u = (static_cast<double>(i) / SampleRate - Show::FadeFrom) / (Show::Length - Show::FadeFrom);
        double gain = 0.25 + 0.75 * 0.5 * (1.0 + std::cos(Pi * u));
        gain *= std::fmin((frames - i) / (0.03 * SampleRate), 1.0);
        mix.left[static_cast<size_t>(i)] *= static_cast<float>(gain);
        mix.right[static_cast<size_t>(i)] *= static_cast<float>(gain);
    }
    return mix;
}

} // namespace Halcyra::Music
