#pragma once

#include "gralith/utils/assets/Asset.h"

namespace Gralith::Utils::Assets {

/// The PCM samples of a decoded wave file (asset type 12) with their format.
class WaveData : public Asset {
public:
    /// Takes over data, allocated with new[].
    WaveData(unsigned char* data, int size, int channels, int bitsPerSample, int sampleRate)
        : data(data), size(size), channels(channels), bitsPerSample(bitsPerSample), sampleRate(sampleRate) {}
    ~WaveData() override { delete[] data; }
    WaveData(const WaveData&) = delete;
    WaveData& operator=(const WaveData&) = delete;

    int GetType() const override { return AssetWaveData; }
    const unsigned char* GetData() const { return data; }
    int GetSize() const { return size; }
    int GetChannels() const { return channels; }
    int GetBitsPerSample() const { return bitsPerSample; }
    int GetSampleRate() const { return sampleRate; }

private:
    unsigned char* data;
    int size;
    int channels;
    int bitsPerSample;
    int sampleRate;
};

} // namespace Gralith::Utils::Assets
