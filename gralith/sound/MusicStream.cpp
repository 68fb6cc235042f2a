#include "gralith/sound/MusicStream.h"

#include "gralith/Exception.h"
#include "gralith/sound/Buffer.h"
#include "gralith/sound/Device.h"
#include "gralith/utils/InputFile.h"
#include "gralith/utils/audio/OggDecoder.h"

#include <kiss_fftr.h>

#include <algorithm>
#include <cmath>

namespace Gralith::Sound {

namespace {

// The longest music a sound buffer can hold; also bounds what a small corrupt file may make us
// allocate while decoding.
constexpr int64_t MaxBytes = 0x0FFFFFFF & ~int64_t(3);

int16_t Quantise(float value) {
    float scaled = std::nearbyint(value * 32768.0f);
    return static_cast<int16_t>(std::clamp(scaled, -32768.0f, 32767.0f));
}

} // namespace

struct MusicStream::Transform {
    Transform() : config(kiss_fftr_alloc(FFTSize, 0, nullptr, nullptr)) {
        const double pi = 3.14159265358979323846;
        double sum = 0.0;
        for (int i = 0; i < FFTSize; ++i) {
            window[i] = static_cast<float>(0.5 - 0.5 * std::cos(2.0 * pi * i / FFTSize));
            sum += window[i];
        }
        scale = static_cast<float>(2.0 / sum);
    }
    ~Transform() { kiss_fftr_free(config); }
    Transform(const Transform&) = delete;
    Transform& operator=(const Transform&) = delete;

    kiss_fftr_cfg config;
    float window[FFTSize];
    float scale;
};

MusicStream::MusicStream(Device* device) : device(device), transform(new Transform()) {}

MusicStream::~MusicStream() {
    ReleaseBuffer();
    delete transform;
}

void MusicStream::ReleaseBuffer() {
    if (buffer) {
        buffer->Stop();
        buffer->Release();
        buffer = nullptr;
    }
    playing = false;
}

void MusicStream::Open(Utils::String path) {
    Utils::InputFile* file = new Utils::InputFile(path);
    try {
        Open(file, path);
    } catch (...) {
        file->Release();
        throw;
    }
    file->Release();
}

void MusicStream::Open(Utils::InputStream* stream, Utils::String name) {
    Utils::Audio::OggDecoder ogg(stream);
    const int channels = ogg.GetChannels();
    std::vector<int16_t> decoded;
    if (ogg.GetLengthFrames() > 0)
        decoded.reserve(static_cast<size_t>(std::min<int64_t>(ogg.GetLengthFrames() * BytesPerFrame, MaxBytes) / 2));
    const int chunk = 8192;
    std::vector<float> block(static_cast<size_t>(chunk) * channels);
    for (;;) {
        int got = ogg.Read(block.data(), chunk);
        if (static_cast<int64_t>(decoded.size() + 2 * static_cast<size_t>(got)) * 2 > MaxBytes)
            throw Exception((Utils::String("Music stream is too long to play: ") + name).CStr());
        for (int i = 0; i < got; ++i) {
            const float* frame = block.data() + static_cast<size_t>(i) * channels;
            decoded.push_back(Quantise(frame[0]));
            decoded.push_back(Quantise(channels > 1 ? frame[1] : frame[0]));
        }
        if (got < chunk)
            break;
    }
    if (decoded.empty())
        throw Exception((Utils::String("Unable to decode music stream: ") + name).CStr());
    ReleaseBuffer();
    samples.swap(decoded);
    Decoded();
}

void MusicStream::OpenSamples(const float* source, int frames, int channels) {
    if (!source || frames <= 0 || channels < 1 || channels > 2 || int64_t(frames) * BytesPerFrame > MaxBytes)
        throw Exception("Unable to decode music stream: samples");
    std::vector<int16_t> decoded(2 * static_cast<size_t>(frames));
    for (int i = 0; i < frames; ++i) {
        const float* frame = source + static_cast<size_t>(i) * channels;
        decoded[2 * static_cast<size_t>(i)] = Quantise(frame[0]);
        decoded[2 * static_cast<size_t>(i) + 1] = Quantise(frame[channels - 1]);
    }
    ReleaseBuffer();
    samples.swap(decoded);
    Decoded();
}

void MusicStream::Decoded() {
    length = static_cast<int64_t>(samples.size()) * 2;
    position = 0;
    lastHeard = 0;
    playing = false;
}

int64_t MusicStream::Clamp(int64_t bytes) const {
    bytes = std::clamp<int64_t>(bytes, 0, length);
    return bytes - bytes % BytesPerFrame;
}

void MusicStream::Play() {
    if (!IsOpen())
        throw Exception("Unable to play music stream: nothing is open");
    if (!device)
        throw Exception("Unable to play music stream: no sound device");
    if (!buffer) {
        Buffer* made = device->CreateBuffer(static_cast<int>(length), Channels, 16, SampleRate);
        try {
            made->SetData(samples.data(), 0, static_cast<int>(length));
            made->SetPlayPosition(static_cast<int>(position));
        } catch (...) {
            made->Release();
            throw;
        }
        buffer = made;
    }
    if (GetPosition() >= length)
        return;
    buffer->Play(0);
    playing = true;
}

void MusicStream::Stop() {
    if (buffer)
        buffer->Stop();
    if (IsOpen())
        position = GetPosition();
    playing = false;
}

bool MusicStream::IsPlaying() { return playing && !HasEnded(); }

void MusicStream::SetPosition(int64_t bytes) {
    position = Clamp(bytes);
    lastHeard = position;
    if (buffer)
        buffer->SetPlayPosition(static_cast<int>(position));
}

double MusicStream::GetPositionSeconds() {
    int64_t bytes = GetPosition();
    return bytes < 0 ? -1.0 : BytesToSeconds(bytes);
}

int64_t MusicStream::GetPosition() {
    if (!IsOpen())
        return -1;
    int64_t heard = buffer ? static_cast<int64_t>(buffer->GetPlayPosition()) : position;
    heard = std::min(std::max(heard, lastHeard), length);
    lastHeard = heard;
    return heard;
}

void MusicStream::GetSpectrum(float* out) { GetSpectrumAt(std::max<int64_t>(GetPosition(), 0), out); }

void MusicStream::GetSpectrumAt(int64_t bytes, float* out) const {
    float frames[2 * FFTSize];
    GetSamplesAt(bytes, frames, FFTSize);
    kiss_fft_scalar input[FFTSize];
    for (int i = 0; i < FFTSize; ++i)
        input[i] = 0.5f * (frames[2 * i] + frames[2 * i + 1]) * transform->window[i];
    kiss_fft_cpx output[FFTSize / 2 + 1];
    kiss_fftr(transform->config, input, output);
    for (int k = 0; k < SpectrumSize; ++k) {
        float magnitude = std::sqrt(output[k].r * output[k].r + output[k].i * output[k].i) * transform->scale;
        out[k] = k == 0 ? 0.5f * magnitude : magnitude;
    }
}

int MusicStream::GetSamplesAt(int64_t bytes, float* out, int frames) const {
    if (frames <= 0)
        return 0;
    // Floor division: a negative position reads silence before the start.
    int64_t first = (bytes >= 0 ? bytes : bytes - (BytesPerFrame - 1)) / BytesPerFrame;
    int64_t total = length / BytesPerFrame;
    int inside = 0;
    for (int i = 0; i < frames; ++i) {
        int64_t frame = first + i;
        if (frame >= 0 && frame < total) {
            out[2 * i] = samples[static_cast<size_t>(2 * frame)] * (1.0f / 32768.0f);
            out[2 * i + 1] = samples[static_cast<size_t>(2 * frame + 1)] * (1.0f / 32768.0f);
            ++inside;
        } else {
            out[2 * i] = 0.0f;
            out[2 * i + 1] = 0.0f;
        }
    }
    return inside;
}

} // namespace Gralith::Sound
