#include "gralith/utils/InputFile.h"

#include "gralith/utils/UtilsException.h"

#include <cstdio>
#include <sys/stat.h>

namespace Gralith::Utils {

static constexpr int FileNotFoundCode = 6;

InputFile::InputFile(const String& path) : file(std::fopen(path.CStr(), "rb"))
{
    // A directory opens as a stream on Linux but cannot be read: report it as missing too.
    struct stat info;
    if (file && (fstat(fileno(file), &info) != 0 || S_ISDIR(info.st_mode))) {
        std::fclose(file);
        file = nullptr;
    }
    if (!file)
        throw Exception((String("File not found: ") + path).CStr(), FileNotFoundCode);
}

InputFile::~InputFile() { std::fclose(file); }

unsigned InputFile::Read(void* buffer, unsigned size, unsigned count)
{
    return static_cast<unsigned>(std::fread(buffer, size, count, file));
}

int InputFile::Seek(int origin, int offset)
{
    static const int whence[] = {SEEK_SET, SEEK_CUR, SEEK_END};
    if (origin < 0 || origin > 2)
        return 1;
    return std::fseek(file, offset, whence[origin]);
}

int InputFile::Tell() { return static_cast<int>(std::ftell(file)); }

int InputFile::Size()
{
    std::fseek(file, 0, SEEK_END);
    int size = static_cast<int>(std::ftell(file));
    std::fseek(file, 0, SEEK_SET);
    return size;
}

} // namespace Gralith::Utils
