#include "gralith/sound/MixerVoice.h"

#include "gralith/sound/Mixer.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace Gralith::Sound {

namespace {

float Read8(const unsigned char* p) { return (static_cast<int>(p[0]) - 128) * (1.0f / 128.0f); }

float Read16(const unsigned char* p) {
    return static_cast<int16_t>(static_cast<uint16_t>(p[0] | (p[1] << 8))) * (1.0f / 32768.0f);
}

float Read24(const unsigned char* p) {
    int32_t v = static_cast<int32_t>((static_cast<uint32_t>(p[0]) << 8) | (static_cast<uint32_t>(p[1]) << 16) |
                                     (static_cast<uint32_t>(p[2]) << 24));
    return static_cast<float>(v / 2147483648.0);
}

float Read32(const unsigned char* p) {
    int32_t v = static_cast<int32_t>(static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
                                     (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24));
    return static_cast<float>(v / 2147483648.0);
}

} // namespace

MixerVoice::MixerVoice(Mixer* mixer, int size, int channels, int bits, int rate)
    : mixer(mixer), data(static_cast<size_t>(size), bits == 8 ? 0x80 : 0), channels(channels), bits(bits),
      blockAlign(channels * bits / 8), frames(size / (channels * bits / 8)), rate(rate) {
    switch (bits) {
    case 8: read = Read8; break;
    case 24: read = Read24; break;
    case 32: read = Read32; break;
    default: read = Read16; break;
    }
}

void MixerVoice::CopyIn(const void* source, int offset, int size) {
    std::lock_guard<std::mutex> guard(mixer->GetLock());
    const unsigned char* bytes = static_cast<const unsigned char*>(source);
    size_t total = data.size();
    size_t first = std::min(static_cast<size_t>(size), total - static_cast<size_t>(offset));
    std::memcpy(data.data() + offset, bytes, first);
    std::memcpy(data.data(), bytes + first, static_cast<size_t>(size) - first);
}

void MixerVoice::AnchorHere(double now) {
    anchorTime = now;
    anchorPosition = static_cast<double>(laps) * frames + position;
    anchorRate = 0.0;
    anchorLimit = 0.0;
    lastHeard = anchorPosition;
}

void MixerVoice::Play(bool looped, double now) {
    std::lock_guard<std::mutex> guard(mixer->GetLock());
    if (!looped && position >= frames) {
        position = 0.0;
        laps = 0;
    }
    if (!playing)
        AnchorHere(now);
    playing = frames > 0;
    looping = looped;
}

void MixerVoice::Stop(double now) {
    std::lock_guard<std::mutex> guard(mixer->GetLock());
    if (!playing)
        return;
    double heard = HeardUnwrapped(now);
    playing = false;
    // Resume from what was heard: the mixed but unheard rest plays again.
    double lap = std::floor(heard / frames);
    double inLap = heard - lap * frames;
    if (!looping && heard - static_cast<double>(laps) * frames >= frames) {
        inLap = frames;
        lap = static_cast<double>(laps);
    }
    position = inLap;
    laps = static_cast<int64_t>(lap);
    AnchorHere(now);
}

bool MixerVoice::IsPlaying() const {
    std::lock_guard<std::mutex> guard(mixer->GetLock());
    return playing;
}

bool MixerVoice::IsLooping() const {
    std::lock_guard<std::mutex> guard(mixer->GetLock());
    return looping;
}

void MixerVoice::SetPosition(int byteOffset, double now) {
    std::lock_guard<std::mutex> guard(mixer->GetLock());
    position = static_cast<double>(byteOffset / blockAlign);
    laps = 0;
    AnchorHere(now);
}

int MixerVoice::GetMixedPosition() const {
    std::lock_guard<std::mutex> guard(mixer->GetLock());
    return static_cast<int>(position) * blockAlign;
}

double MixerVoice::HeardUnwrapped(double now) {
    double elapsed = std::max(0.0, now - anchorTime) * anchorRate;
    double heard = anchorPosition + std::min(elapsed, anchorLimit);
    if (heard < lastHeard)
        heard = lastHeard;
    lastHeard = heard;
    return heard;
}

double MixerVoice::GetHeardFrame(double now) {
    std::lock_guard<std::mutex> guard(mixer->GetLock());
    if (frames == 0)
        return 0.0;
    double heard = HeardUnwrapped(now);
    if (looping)
        return std::fmod(heard, static_cast<double>(frames));
    return std::clamp(heard - static_cast<double>(laps) * frames, 0.0, static_cast<double>(frames));
}

int MixerVoice::GetHeardPosition(double now) { return static_cast<int>(GetHeardFrame(now)) * blockAlign; }

void MixerVoice::SetRate(int samplesPerSecond) {
    std::lock_guard<std::mutex> guard(mixer->GetLock());
    rate = samplesPerSecond;
}

int MixerVoice::GetRate() const {
    std::lock_guard<std::mutex> guard(mixer->GetLock());
    return rate;
}

void MixerVoice::SetGains(float left, float right) {
    std::lock_guard<std::mutex> guard(mixer->GetLock());
    gainLeft = left;
    gainRight = right;
}

void MixerVoice::MixInto(float* out, int count, double now, double duration, int outputRate) {
    if (!playing) {
        // Nothing more will be heard than what the last mix played.
        return;
    }
    const double step = static_cast<double>(rate) / outputRate;
    const double length = static_cast<double>(frames);
    const int sampleBytes = bits / 8;
    const int rightOffset = channels > 1 ? sampleBytes : 0;
    const unsigned char* base = data.data();

    // Whatever the previous mix played is heard by now: interpolate from this mix's start.
    anchorTime = now;
    anchorPosition = static_cast<double>(laps) * frames + position;
    anchorRate = step * count / duration;

    for (int i = 0; i < count; ++i) {
        if (position >= length) {
            if (!looping) {
                position = length;
                playing = false;
                break;
            }
            while (position >= length) {
                position -= length;
                ++laps;
            }
        }
        int index = static_cast<int>(position);
        float fraction = static_cast<float>(position - index);
        int next = index + 1;
        if (next >= frames)
            next = looping ? 0 : index;
        const unsigned char* a = base + static_cast<size_t>(index) * blockAlign;
        const unsigned char* b = base + static_cast<size_t>(next) * blockAlign;
        float left0 = read(a), right0 = read(a + rightOffset);
        float left = left0, right = right0;
        if (fraction != 0.0f) {
            left += (read(b) - left0) * fraction;
            right += (read(b + rightOffset) - right0) * fraction;
        }
        out[2 * i] += left * gainLeft;
        out[2 * i + 1] += right * gainRight;
        position += step;
    }
    if (looping && position >= length) {
        while (position >= length) {
            position -= length;
            ++laps;
        }
    }
    if (!looping && position >= length) {
        position = length;
        playing = false;
    }
    anchorLimit = static_cast<double>(laps) * frames + position - anchorPosition;
    // An output keeps playing what it holds while the next mix is late: let the heard position
    // run on for one more chunk instead of stalling (a single play still stops at its end).
    if (playing)
        anchorLimit += count * step;
}

} // namespace Gralith::Sound
