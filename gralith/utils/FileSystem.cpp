#include "gralith/utils/FileSystem.h"

#include "gralith/utils/InputFile.h"

namespace Gralith::Utils {

Directory::Directory(String r) : root(r) {
    if (root.Length() > 0 && root[root.Length() - 1] != '/')
        root += String("/");
}

InputStream* Directory::Open(String path) { return new InputFile(root + path); }

} // namespace Gralith::Utils
