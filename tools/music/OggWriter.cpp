#include "OggWriter.h"

#include "Dsp.h"

#include <vorbis/vorbisenc.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <stdexcept>

namespace Halcyra::Music {

namespace {

struct Encoder {
    vorbis_info info;
    vorbis_comment comment;
    vorbis_dsp_state dsp;
    vorbis_block block;
    ogg_stream_state stream;
    bool analysis = false, hasBlock = false, hasStream = false;

    Encoder() {
        vorbis_info_init(&info);
        vorbis_comment_init(&comment);
    }
    ~Encoder() {
        if (hasStream)
            ogg_stream_clear(&stream);
        if (hasBlock)
            vorbis_block_clear(&block);
        if (analysis)
            vorbis_dsp_clear(&dsp);
        vorbis_comment_clear(&comment);
        vorbis_info_clear(&info);
    }
};

void WritePage(std::FILE* file, const ogg_page& page, const std::string& path) {
    if (std::fwrite(page.header, 1, static_cast<size_t>(page.header_len), file) !=
            static_cast<size_t>(page.header_len) ||
        std::fwrite(page.body, 1, static_cast<size_t>(page.body_len), file) != static_cast<size_t>(page.body_len))
        throw std::runtime_error("Unable to write " + path);
}

} // namespace

void WriteOgg(const std::string& path, const Track& mix, float quality) {
    Encoder enc;
    if (vorbis_encode_init_vbr(&enc.info, 2, SampleRate, quality) != 0)
        throw std::runtime_error("The Vorbis encoder refused the settings for " + path);
    vorbis_comment_add_tag(&enc.comment, "TITLE", "Halcyra");
    vorbis_comment_add_tag(&enc.comment, "ENCODER", "halcyra-music");
    vorbis_analysis_init(&enc.dsp, &enc.info);
    enc.analysis = true;
    vorbis_block_init(&enc.dsp, &enc.block);
    enc.hasBlock = true;
    ogg_stream_init(&enc.stream, 0x48616c63); // fixed serial: reproducible bytes
    enc.hasStream = true;

    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "wb"), &std::fclose);
    if (!file)
        throw std::runtime_error("Unable to create " + path);

    ogg_packet header, headerComment, headerCode;
    vorbis_analysis_headerout(&enc.dsp, &enc.comment, &header, &headerComment, &headerCode);
    ogg_stream_packetin(&enc.stream, &header);
    ogg_stream_packetin(&enc.stream, &headerComment);
    ogg_stream_packetin(&enc.stream, &headerCode);
    ogg_page page;
    while (ogg_stream_flush(&enc.stream, &page) != 0)
        WritePage(file.get(), page, path);

    const int chunk = 4096;
    int position = 0;
    bool finished = false;
    while (!finished) {
        int frames = std::min(chunk, mix.Frames() - position);
        if (frames > 0) {
            float** buffer = vorbis_analysis_buffer(&enc.dsp, frames);
            for (int i = 0; i < frames; ++i) {
                buffer[0][i] = mix.left[static_cast<size_t>(position + i)];
                buffer[1][i] = mix.right[static_cast<size_t>(position + i)];
            }
            vorbis_analysis_wrote(&enc.dsp, frames);
            position += frames;
        } else {
            vorbis_analysis_wrote(&enc.dsp, 0); // end of stream
        }
        while (vorbis_analysis_blockout(&enc.dsp, &enc.block) == 1) {
            vorbis_analysis(&enc.block, nullptr);
            vorbis_bitrate_addblock(&enc.block);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&enc.dsp, &packet) == 1) {
                ogg_stream_packetin(&enc.stream, &packet);
                while (ogg_stream_pageout(&enc.stream, &page) != 0) {
                    WritePage(file.get(), page, path);
                    if (ogg_page_eos(&page))
                        finished = true;
                }
            }
        }
    }
    if (std::fflush(file.get()) != 0)
        throw std::runtime_error("Unable to write " + path);
}

float DecodedPeak(const std::string& path) {
    OggVorbis_File file;
    if (ov_fopen(path.c_str(), &file) != 0)
        throw std::runtime_error("Unable to decode " + path);
    float peak = 0.0f;
    for (;;) {
        float** pcm = nullptr;
        int section = 0;
        long frames = ov_read_float(&file, &pcm, 4096, &section);
        if (frames < 0) {
            ov_clear(&file);
            throw std::runtime_error("Unable to decode " + path);
        }
        if (frames == 0)
            break;
        for (int c = 0; c < ov_info(&file, -1)->channels; ++c)
            for (long i = 0; i < frames; ++i)
                peak = std::max(peak, std::fabs(pcm[c][i]));
    }
    ov_clear(&file);
    return peak;
}

} // namespace Halcyra::Music
