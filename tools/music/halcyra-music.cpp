// Synthesises the show's music and writes it as Ogg Vorbis:
//   halcyra-music OUTPUT.ogg
// Prints what the picture will make of it: peak level, the lowest spectrum band before and
// after the drop, and how many camera cuts the strong bass hits cause.
#include "Analysis.h"
#include "Limiter.h"
#include "OggWriter.h"
#include "Show.h"

#include <cmath>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <stdexcept>
#include <string>

int main(int argc, char** argv) {
    using namespace Halcyra::Music;
    if (argc != 2) {
        std::fprintf(stderr, "usage: halcyra-music OUTPUT.ogg\n");
        return 2;
    }
    try {
        std::filesystem::path path(argv[1]);
        if (path.has_parent_path())
            std::filesystem::create_directories(path.parent_path());
        const Track mix = RenderShow();
        // Decoded peaks stay under -1.2 dBFS: the encoder moves them, so limit, encode, check,
        // and lower the ceiling until the file keeps it.
        const float target = std::pow(10.0f, -1.2f / 20.0f);
        float ceiling = 0.775f;
        for (int attempt = 1;; ++attempt) {
            Track limited = mix;
            Limit(limited, ceiling);
            WriteOgg(path.string(), limited, 0.6f);
            float peak = DecodedPeak(path.string());
            if (peak < target) {
                Summary s = Summarise(limited);
                std::printf("halcyra-music: %s, %.2f s, peak %.2f dBFS decoded (limited to %.2f), low band "
                            "before the drop max %.4f, after it median %.3f, %d cuts\n",
                            path.string().c_str(), Show::Length, 20.0 * std::log10(peak), 20.0 * std::log10(ceiling),
                            s.maxBeforeDrop, s.medianAfterDrop, s.cuts);
                return 0;
            }
            if (attempt == 6)
                throw std::runtime_error("the encoded peaks stay above -1.2 dBFS");
            ceiling *= 0.98f * target / peak;
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "halcyra-music: %s\n", e.what());
        return 1;
    }
}
