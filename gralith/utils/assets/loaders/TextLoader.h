#pragma once

#include "gralith/utils/assets/loaders/Loader.h"

namespace Gralith::Utils::Assets::Loaders {

/// Reads a whole file as one String into a TextAsset (type 3). The text ends at the first zero
/// byte. Reads opened streams too, so other loaders can hand it one.
class TextLoader : public Loader {
public:
    using Loader::Load;
    Asset* Load(int type, InputStream* stream, String path, Proxy* proxy) override;
    bool CanLoad(int type) override;
    String GetName() override;
};

} // namespace Gralith::Utils::Assets::Loaders
