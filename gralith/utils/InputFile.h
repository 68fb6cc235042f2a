#pragma once

#include "gralith/utils/InputStream.h"
#include "gralith/utils/String.h"

#include <cstdio>

namespace Gralith::Utils {

/// A file opened for binary reading through the C library.
class InputFile : public InputStream {
public:
    /// Throws "File not found: " + path, code 6, when the file cannot be opened.
    explicit InputFile(const String& path);
    ~InputFile() override;

    unsigned Read(void* buffer, unsigned size, unsigned count) override;
    int Seek(int origin, int offset) override;
    int Tell() override;
    int Size() override;

private:
    std::FILE* file;
};

} // namespace Gralith::Utils
