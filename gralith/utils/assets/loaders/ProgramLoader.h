#pragma once

#include "gralith/utils/assets/loaders/Loader.h"

namespace Gralith::Utils::Assets::Loaders {

/// Links programs (type 7) from shader descriptors joined by ";": vertex, pixel and optionally
/// geometry. A single descriptor serves as both the vertex and the pixel shader ("file.cg"
/// compiles vsMain and psMain from one file). The shaders are requested from the proxy, so
/// each (kind, source, entry) is compiled once.
class ProgramLoader : public Loader {
public:
    using Loader::Load;
    Asset* Load(int type, String path, Proxy* proxy) override;
    bool CanLoad(int type) override;
    String GetName() override;
};

} // namespace Gralith::Utils::Assets::Loaders
