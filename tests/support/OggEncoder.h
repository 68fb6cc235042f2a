#pragma once

// Encodes float PCM into Ogg Vorbis bytes in memory with libvorbisenc, so sound tests make their
// own files instead of shipping binaries.

#include <vorbis/vorbisenc.h>

#include <cmath>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

namespace GralithTest {

/// Interleaved frames of a sine at 44.1 kHz, the same on every channel.
inline std::vector<float> Sine(int frames, int channels, double hz, float amplitude) {
    const double pi = 3.14159265358979323846; // M_PI is POSIX's, not standard C++
    std::vector<float> samples;
    for (int i = 0; i < frames; ++i)
        samples.insert(samples.end(), static_cast<size_t>(channels),
                       amplitude * static_cast<float>(std::sin(2.0 * pi * hz * i / 44100.0)));
    return samples;
}

/// samples: interleaved, channels per frame. quality: vorbisenc's VBR quality (-0.1..1).
inline std::string EncodeOgg(const std::vector<float>& samples, int channels, int rate, float quality = 0.6f) {
    vorbis_info info;
    vorbis_info_init(&info);
    if (vorbis_encode_init_vbr(&info, channels, rate, quality) != 0)
        throw std::runtime_error("vorbis_encode_init_vbr failed");
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_dsp_state dsp;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block block;
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, 1234);

    std::string out;
    auto flush = [&](bool all) {
        ogg_page page;
        while (all ? ogg_stream_flush(&stream, &page) : ogg_stream_pageout(&stream, &page)) {
            out.append(reinterpret_cast<const char*>(page.header), static_cast<size_t>(page.header_len));
            out.append(reinterpret_cast<const char*>(page.body), static_cast<size_t>(page.body_len));
        }
    };

    ogg_packet header, headerComment, headerCode;
    vorbis_analysis_headerout(&dsp, &comment, &header, &headerComment, &headerCode);
    ogg_stream_packetin(&stream, &header);
    ogg_stream_packetin(&stream, &headerComment);
    ogg_stream_packetin(&stream, &headerCode);
    flush(true);

    const size_t frames = samples.size() / static_cast<size_t>(channels);
    size_t done = 0;
    for (;;) {
        size_t count = frames - done < 4096 ? frames - done : 4096;
        if (count > 0) {
            float** buffer = vorbis_analysis_buffer(&dsp, static_cast<int>(count));
            for (size_t i = 0; i < count; ++i)
                for (int c = 0; c < channels; ++c)
                    buffer[c][i] = samples[(done + i) * static_cast<size_t>(channels) + static_cast<size_t>(c)];
        }
        vorbis_analysis_wrote(&dsp, static_cast<int>(count));
        done += count;
        while (vorbis_analysis_blockout(&dsp, &block) == 1) {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&dsp, &packet)) {
                ogg_stream_packetin(&stream, &packet);
                flush(false);
            }
        }
        if (count == 0)
            break;
    }
    flush(true);

    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    return out;
}

} // namespace GralithTest
