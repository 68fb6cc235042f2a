#pragma once

#include "gralith/utils/InputStream.h"
#include "gralith/utils/String.h"

namespace Gralith::Utils {

/// Opens streams for relative paths.
class FileSystem : public Object {
public:
    /// A new stream carrying one reference owned by the caller; throws when it cannot be opened.
    virtual InputStream* Open(String path) = 0;
};

/// A file system rooted at a directory prefix; the root always ends in "/" (an empty root stays
/// empty, so paths are then used as given).
class Directory : public FileSystem {
public:
    explicit Directory(String root);
    InputStream* Open(String path) override;
    const String& GetRoot() const { return root; }

private:
    String root;
};

} // namespace Gralith::Utils
