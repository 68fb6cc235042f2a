// libFuzzer target: an Ogg Vorbis stream from arbitrary bytes, opened and decoded (resampled to
// the output rate) for up to two seconds of output, as the music player reads it.
#include "gralith/Exception.h"
#include "gralith/utils/MemoryInputStream.h"
#include "gralith/utils/assets/loaders/OggStream.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace Gralith::Utils;
    if (size > (1u << 24))
        return 0;
    MemoryInputStream stream(data, int(size));
    try {
        Assets::Loaders::OggStream ogg(&stream);
        const int channels = ogg.GetChannels();
        if (channels < 1)
            std::abort();
        constexpr int Chunk = 1024;
        // A guard value after the chunk shows a read that writes more frames than asked for.
        std::vector<float> out(std::size_t(Chunk) * channels + 1);
        out.back() = 12345.0f;
        for (int total = 0; total < 2 * Assets::Loaders::OggStream::OutputRate;) {
            int frames = ogg.Read(out.data(), Chunk);
            if (frames < 0 || frames > Chunk || out.back() != 12345.0f)
                std::abort();
            if (frames == 0)
                break;
            total += frames;
        }
    } catch (const Gralith::Exception&) {
    }
    return 0;
}
