#pragma once

#include "gralith/utils/assets/loaders/Loader.h"

namespace Gralith::Utils::Assets::Loaders {

/// Compiles vertex (type 4) and pixel (type 5) shaders through the graphics device. The
/// descriptor is "source[:entry]"; the entry point defaults to "vsMain" or "psMain". The
/// source is requested from the proxy as a text asset, so one file is read once however many
/// shaders use it.
class ShaderLoader : public Loader {
public:
    using Loader::Load;
    Asset* Load(int type, String path, Proxy* proxy) override;
    bool CanLoad(int type) override;
    String GetName() override;

    static constexpr const char* DefaultVertexEntry = "vsMain";
    static constexpr const char* DefaultPixelEntry = "psMain";
};

} // namespace Gralith::Utils::Assets::Loaders
