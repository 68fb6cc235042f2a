#pragma once

#include "gralith/utils/assets/loaders/Loader.h"

namespace Gralith::Utils::Assets {
class WaveData;
}

namespace Gralith::Utils::Assets::Loaders {

/// Reads a RIFF WAVE file into WaveData (type 12). A descriptor "name:anything" opens name.
class WavLoader : public Loader {
public:
    using Loader::Load;
    Asset* Load(int type, String path, Proxy* proxy) override;
    bool CanLoad(int type) override { return type == AssetWaveData; }
    String GetName() override { return "WavLoader"; }

    /// Parses a wave file from the stream's start. Every chunk size is checked against the
    /// file: a truncated or corrupt file fails with an "Invalid WAV-File! ..." message before
    /// anything is allocated from a size the file cannot back. Chunks before the format chunk
    /// and between it and the data chunk are skipped (with their pad byte).
    static WaveData* Parse(InputStream* stream, String path);
};

} // namespace Gralith::Utils::Assets::Loaders
