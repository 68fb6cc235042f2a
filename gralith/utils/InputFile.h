#pragma once

#include "gralith/utils/InputStream.h"
#include "gralith/utils/String.h"

#include <cstdio>

namespace Gralith::Utils {

/// A file opened for binary reading through the C library.
class InputFile : public InputStream {
public:
    /// Throws "File not found: " + path, ErrorFileNotFound, when the file cannot be opened or is a
    /// directory; "Not a regular file: " + path, ErrorFileNotFound, for a FIFO, device or socket (without
    /// waiting on it); "File too large: " + path + the size and limit, ErrorGeneral, past 2 GiB - 1.
    explicit InputFile(const String& path);
    ~InputFile() override;

    unsigned Read(void* buffer, unsigned size, unsigned count) override;
    int Seek(int origin, int offset) override;
    /// -1 once the position no longer fits (the file grew past 2 GiB after it was opened).
    int Tell() override;
    /// -1 when the file has grown past 2 GiB since it was opened.
    int Size() override;

private:
    std::FILE* file;
};

} // namespace Gralith::Utils
