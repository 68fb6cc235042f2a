// Opens an Ogg Vorbis file as the show's music stream (the build's data/music/music.ogg, or any
// other) and asks it what a frame of the show asks: the position, and the spectrum there.
#include "gralith/gralith.h"

#include <cstdio>

using namespace Gralith;
using Gralith::Sound::MusicStream;

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: query-music FILE.ogg\n");
        return 2;
    }
    // Without a sound device the stream answers queries but does not play; give it one (for
    // example a Sound::SDLSoundDevice) and Play() makes the position follow what is heard.
    MusicStream* music = new MusicStream(nullptr);
    try {
        music->Open(argv[1]);
        std::printf("length %.2f s\n", MusicStream::BytesToSeconds(music->GetLength()));
        for (double seconds : {1.0, 10.0, 20.0}) {
            music->SetPosition(MusicStream::SecondsToBytes(seconds));
            float spectrum[MusicStream::SpectrumSize];
            music->GetSpectrum(spectrum);
            // Bin k is centred on k * 44100 / 512 Hz.
            int loudest = 0;
            for (int k = 1; k < MusicStream::SpectrumSize; ++k)
                if (spectrum[k] > spectrum[loudest])
                    loudest = k;
            std::printf("at %.2f s: loudest near %.0f Hz (level %.3f)\n", music->GetPositionSeconds(),
                        loudest * 44100.0 / MusicStream::FFTSize, spectrum[loudest]);
        }
    } catch (const Exception& e) {
        std::fprintf(stderr, "query-music: %s\n", e.what());
        music->Release();
        return 1;
    }
    music->Release();
    return 0;
}
