#pragma once

#include "gralith/utils/Messages.h"
#include "gralith/utils/assets/loaders/Loader.h"

namespace Gralith::Utils::Assets::Loaders {

/// Makes cube textures (type 2) from six face entries joined by "#" (+X, +Y, +Z, -X, -Y, -Z),
/// each a ";"-separated mip chain, or from one entry whose level names hold a "*" that stands
/// for px, py, pz, nx, ny, nz. Every bitmap must be square and of one size.
class TextureCubeLoader : public Loader {
public:
    using Loader::Load;
    Asset* Load(int type, String path, Proxy* proxy) override;
    bool CanLoad(int type) override;
    String GetName() override;

    static constexpr const char* WildcardNotFound = Messages::WildcardNotFound;
    static constexpr const char* InvalidFaceCount = Messages::InvalidFaceCount;
};

} // namespace Gralith::Utils::Assets::Loaders
