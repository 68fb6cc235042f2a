#pragma once

#include "gralith/Object.h"
#include "gralith/utils/InputStream.h"
#include "gralith/utils/String.h"
#include "gralith/utils/assets/Asset.h"

namespace Gralith::Utils::Assets {
class Proxy;
}

namespace Gralith::Utils::Assets::Loaders {

/// Makes assets of the types it accepts. A loader returns a new asset carrying one reference
/// (which the proxy takes over) or throws Exception; returning null counts as a failure.
class Loader : public Object {
public:
    /// Opens path through the proxy's file system and reads it with the stream overload.
    virtual Asset* Load(int type, String path, Proxy* proxy);
    /// Reads an already opened stream. The base throws "Unsupported load method".
    virtual Asset* Load(int type, InputStream* stream, String path, Proxy* proxy);
    virtual bool CanLoad(int type) = 0;
    virtual String GetName() = 0;
};

} // namespace Gralith::Utils::Assets::Loaders
