#pragma once

#include "gralith/utils/Messages.h"
#include "gralith/utils/assets/loaders/Loader.h"

namespace Gralith::Utils::Assets::Loaders {

/// Makes 2D textures (type 2) from bitmap descriptors joined by ";", one per mip level; a
/// single level gets its lower levels generated. Descriptors holding "#" or "*" are cube maps
/// and are refused with "Invalid descriptor", leaving them to the cube map loader.
class Texture2DLoader : public Loader {
public:
    using Loader::Load;
    Asset* Load(int type, String path, Proxy* proxy) override;
    bool CanLoad(int type) override;
    String GetName() override;

    static constexpr const char* InvalidDescriptor = Messages::InvalidDescriptor;
};

} // namespace Gralith::Utils::Assets::Loaders
