// Synthesises the show's music and writes it as Ogg Vorbis:
//   halcyra-music OUTPUT.ogg
// Prints what the picture will make of it: peak level, the lowest spectrum band before and
// after the drop, and how many camera cuts the strong bass hits cause.
#include "Analysis.h"
#include "OggWriter.h"
#include "Show.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

int main(int argc, char** argv)
{
    using namespace Halcyra::Music;
    if (argc != 2) {
        std::fprintf(stderr, "usage: halcyra-music OUTPUT.ogg\n");
        return 2;
    }
    try {
        std::filesystem::path path(argv[1]);
        if (path.has_parent_path())
            std::filesystem::create_directories(path.parent_path());
        Track mix = RenderShow();
        Summary s = Summarise(mix);
        WriteOgg(path.string(), mix, 0.6f);
        std::printf("halcyra-music: %s, %.2f s, peak %.2f dBFS, low band before drop max %.4f, "
                    "after drop median %.3f, %d cuts\n",
            path.string().c_str(), Show::Length, s.peakDb, s.maxBeforeDrop, s.medianAfterDrop, s.cuts);
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "halcyra-music: %s\n", e.what());
        return 1;
    }
}
