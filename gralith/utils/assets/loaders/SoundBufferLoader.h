#pragma once

#include "gralith/utils/assets/loaders/Loader.h"

namespace Gralith::Utils::Assets::Loaders {

/// Makes a playable buffer of the proxy's sound device (type 13) from the wave file's data,
/// which it asks the proxy for (type 12), so the file is decoded once and stays cached.
class SoundBufferLoader : public Loader {
public:
    using Loader::Load;
    Asset* Load(int type, String path, Proxy* proxy) override;
    bool CanLoad(int type) override { return type == AssetSoundBuffer; }
    String GetName() override { return "SoundBufferLoader"; }
};

} // namespace Gralith::Utils::Assets::Loaders
