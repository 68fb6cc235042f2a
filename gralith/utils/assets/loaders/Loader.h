#pragma once

#include "gralith/Object.h"
#include "gralith/utils/InputStream.h"
#include "gralith/utils/Messages.h"
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

    static constexpr const char* UnsupportedLoadMethod = Messages::UnsupportedLoadMethod;
    static constexpr const char* NoFileSystem = Messages::NoFileSystem;

protected:
    /// Opens path through the proxy's file system; the caller releases the stream.
    static InputStream* Open(String path, Proxy* proxy);
    /// The whole file at path as text (see ReadText).
    static String ReadFile(String path, Proxy* proxy);
    /// The whole stream from its start as text, ending at the first zero byte or at the last
    /// byte actually read. Throws when the stream cannot report its size.
    static String ReadText(InputStream* stream);
};

} // namespace Gralith::Utils::Assets::Loaders
