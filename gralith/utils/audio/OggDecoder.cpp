#include "gralith/utils/audio/OggDecoder.h"

#include "gralith/Exception.h"
#include "gralith/utils/Messages.h"

#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace Gralith::Utils::Audio {

struct OggDecoder::Decoder {
    OggVorbis_File file;
};

namespace {

size_t ReadCallback(void* destination, size_t itemSize, size_t itemCount, void* source) {
    return static_cast<OggDecoder*>(source)->ReadSource(destination, itemSize, itemCount);
}

int SeekCallback(void* source, ogg_int64_t offset, int origin) {
    return static_cast<OggDecoder*>(source)->SeekSource(offset, origin);
}

int CloseCallback(void*) { return 0; }

long TellCallback(void* source) { return static_cast<OggDecoder*>(source)->TellSource(); }

} // namespace

OggDecoder::OggDecoder(InputStream* stream) {
    int size = stream->Size();
    if (size > 0) {
        bytes.resize(static_cast<size_t>(size));
        // A short read keeps what arrived; the decoder then sees a truncated file.
        unsigned got = stream->Read(bytes.data(), 1, static_cast<unsigned>(size));
        bytes.resize(got);
    }
    decoder = new Decoder();
    ov_callbacks callbacks = {ReadCallback, SeekCallback, CloseCallback, TellCallback};
    if (ov_open_callbacks(this, &decoder->file, nullptr, 0, callbacks) < 0) {
        delete decoder;
        throw Exception(Messages::NotOgg);
    }
    vorbis_info* info = ov_info(&decoder->file, -1);
    channels = info ? info->channels : 0;
    sourceRate = info ? static_cast<int>(info->rate) : 0;
    if (channels < 1 || sourceRate < 1) {
        ov_clear(&decoder->file);
        delete decoder;
        throw Exception(Messages::NotOgg);
    }
    ogg_int64_t total = ov_pcm_total(&decoder->file, -1);
    if (total >= 0)
        lengthFrames = static_cast<long long>(static_cast<double>(total) * OutputRate / sourceRate);
}

OggDecoder::~OggDecoder() {
    ov_clear(&decoder->file);
    delete decoder;
}

size_t OggDecoder::ReadSource(void* destination, size_t itemSize, size_t itemCount) {
    size_t count = itemSize * itemCount;
    count = std::min(count, bytes.size() - position);
    if (count == 0)
        return 0;
    std::memcpy(destination, bytes.data() + position, count);
    position += count;
    return count;
}

int OggDecoder::SeekSource(long long offset, int origin) {
    long long base = origin == SEEK_CUR   ? static_cast<long long>(position)
                     : origin == SEEK_END ? static_cast<long long>(bytes.size())
                                          : 0;
    long long target = base + offset;
    // Like the C library, a target before the start fails and leaves the position alone.
    if (target < 0)
        return -1;
    position = static_cast<size_t>(std::min(target, static_cast<long long>(bytes.size())));
    return 0;
}

int OggDecoder::Decode(float* out, int frames) {
    int done = 0;
    while (done < frames) {
        float** pcm = nullptr;
        int link = 0;
        long got = ov_read_float(&decoder->file, &pcm, frames - done, &link);
        if (got < 1)
            break;
        // A chained file's later link may carry fewer or more channels than the first.
        vorbis_info* info = ov_info(&decoder->file, link);
        int linkChannels = info ? info->channels : channels;
        for (long i = 0; i < got; ++i) {
            float* frame = out + static_cast<size_t>(done + i) * channels;
            for (int c = 0; c < channels; ++c)
                frame[c] = c < linkChannels ? pcm[c][i] : 0.0f;
        }
        done += static_cast<int>(got);
    }
    return done;
}

int OggDecoder::Read(float* out, int frames) {
    if (frames <= 0)
        return 0;
    if (sourceRate == OutputRate)
        return Decode(out, frames);
    return ReadResampled(out, frames);
}

int OggDecoder::ReadResampled(float* out, int frames) {
    const double step = static_cast<double>(sourceRate) / OutputRate;
    const size_t width = static_cast<size_t>(channels);
    int done = 0;
    while (done < frames) {
        size_t index = static_cast<size_t>(phase);
        // Two source frames are needed to interpolate; decode more when they are not there.
        if (index + 1 >= pendingFrames && !sourceEnded) {
            if (index > 0) {
                pending.erase(pending.begin(), pending.begin() + static_cast<std::ptrdiff_t>(index * width));
                pendingFrames -= index;
                phase -= static_cast<double>(index);
                index = 0;
            }
            const int chunk = 4096;
            pending.resize((pendingFrames + chunk) * width);
            int got = Decode(pending.data() + pendingFrames * width, chunk);
            pendingFrames += static_cast<size_t>(got);
            pending.resize(pendingFrames * width);
            if (got < chunk)
                sourceEnded = true;
            continue;
        }
        if (index >= pendingFrames)
            break;
        size_t next = index + 1 < pendingFrames ? index + 1 : index;
        float fraction = static_cast<float>(phase - static_cast<double>(index));
        const float* a = pending.data() + index * width;
        const float* b = pending.data() + next * width;
        float* frame = out + static_cast<size_t>(done) * width;
        for (size_t c = 0; c < width; ++c)
            frame[c] = a[c] + (b[c] - a[c]) * fraction;
        phase += step;
        ++done;
    }
    return done;
}

} // namespace Gralith::Utils::Audio
