// Costs of the music stream: opening (decoding) a 50 s Ogg Vorbis track, one spectrum query, and
// one mix of the output callback.

#include "gralith/sound/Mixer.h"
#include "gralith/sound/MixerVoice.h"
#include "gralith/sound/MusicStream.h"
#include "gralith/utils/MemoryInputStream.h"

#include "tests/support/OggEncoder.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <string>
#include <vector>

using Gralith::Sound::Mixer;
using Gralith::Sound::MixerVoice;
using Gralith::Sound::MusicStream;
using Gralith::Utils::MemoryInputStream;

namespace {

const double TwoPi = 6.283185307179586;

// A 50 s stereo piece: a few tones with a beat, so the encoder has something to work on.
std::vector<float> Piece(int seconds) {
    const int frames = seconds * 44100;
    std::vector<float> samples(2 * static_cast<size_t>(frames));
    for (int i = 0; i < frames; ++i) {
        double t = i / 44100.0;
        double beat = std::exp(-8.0 * std::fmod(t, 0.46875));
        double left = 0.3 * std::sin(TwoPi * 110 * t) + 0.2 * beat * std::sin(TwoPi * 55 * t);
        double right = 0.3 * std::sin(TwoPi * 165 * t) + 0.2 * beat * std::sin(TwoPi * 880 * t);
        samples[2 * static_cast<size_t>(i)] = static_cast<float>(left);
        samples[2 * static_cast<size_t>(i) + 1] = static_cast<float>(right);
    }
    return samples;
}

const std::string& Track() {
    static const std::string ogg = GralithTest::EncodeOgg(Piece(50), 2, 44100, 0.4f);
    return ogg;
}

void OpenTrack(benchmark::State& state) {
    const std::string& ogg = Track();
    for (auto _ : state) {
        MusicStream music;
        MemoryInputStream* stream = new MemoryInputStream(ogg.data(), static_cast<int>(ogg.size()));
        music.Open(stream, "track.ogg");
        stream->Release();
        benchmark::DoNotOptimize(music.GetLength());
    }
    state.counters["track_s"] = 50;
    state.counters["file_kB"] = static_cast<double>(ogg.size()) / 1024.0;
}
BENCHMARK(OpenTrack)->Unit(benchmark::kMillisecond)->Iterations(3);

void SpectrumQuery(benchmark::State& state) {
    std::vector<float> samples = Piece(10);
    MusicStream music;
    music.OpenSamples(samples.data(), 10 * 44100, 2);
    float spectrum[MusicStream::SpectrumSize];
    int64_t position = 0;
    for (auto _ : state) {
        music.GetSpectrumAt(position, spectrum);
        benchmark::DoNotOptimize(spectrum[10]);
        position = (position + 7056) % music.GetLength(); // a 25 fps frame step
    }
}
BENCHMARK(SpectrumQuery)->Unit(benchmark::kMicrosecond);

void MixChunk(benchmark::State& state) {
    Mixer mixer;
    std::vector<int16_t> pcm(2 * 44100, 1000);
    for (int v = 0; v < state.range(0); ++v) {
        MixerVoice* voice = mixer.CreateVoice(static_cast<int>(pcm.size() * 2), 2, 16, v % 2 ? 22050 : 44100);
        voice->CopyIn(pcm.data(), 0, static_cast<int>(pcm.size() * 2));
        voice->Play(true, 0.0);
    }
    std::vector<float> out(2 * 512);
    double now = 0.0;
    for (auto _ : state) {
        mixer.Mix(out.data(), 512, now);
        now += 512.0 / 44100;
        benchmark::DoNotOptimize(out[0]);
    }
}
BENCHMARK(MixChunk)->Arg(1)->Arg(8)->Unit(benchmark::kMicrosecond);

} // namespace
