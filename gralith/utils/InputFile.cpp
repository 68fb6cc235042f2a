#include "gralith/utils/InputFile.h"

#include "gralith/utils/Messages.h"
#include "gralith/utils/UtilsException.h"

#include <climits>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#ifdef _WIN32
#include <filesystem>
#include <io.h>
#endif

namespace Gralith::Utils {

namespace {

#ifdef _WIN32
using FileInfo = struct _stat64;

// Binary mode: in text mode the C library would turn CR LF into LF and stop at a Ctrl-Z. The
// path is UTF-8, which the narrow calls would read in the ANSI code page. A 64-bit size, as
// the plain stat's is 32-bit here.
int OpenForReading(const char* path, FileInfo& info) {
    int descriptor = _wopen(std::filesystem::u8path(path).c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT);
    if (descriptor >= 0 && _fstat64(descriptor, &info) != 0) {
        close(descriptor);
        return -1;
    }
    return descriptor;
}
#else
using FileInfo = struct stat;

// O_NONBLOCK: opening a FIFO without a writer would otherwise wait for one forever. The type is
// then checked on the opened descriptor, so a name swapped in between cannot slip past the check.
int OpenForReading(const char* path, FileInfo& info) {
    int descriptor = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor >= 0 && fstat(descriptor, &info) != 0) {
        close(descriptor);
        return -1;
    }
    return descriptor;
}
#endif

// Positions as 64-bit numbers: Windows' long is 32-bit, so ftell would wrap past 4 GiB.
long long Position(std::FILE* file) {
#ifdef _WIN32
    return _ftelli64(file);
#else
    return ftello(file);
#endif
}

} // namespace

InputFile::InputFile(const String& path) : file(nullptr) {
    FileInfo info;
    int descriptor = OpenForReading(path.CStr(), info);
    if (descriptor < 0 || S_ISDIR(info.st_mode)) {
        if (descriptor >= 0)
            close(descriptor);
        throw Exception((String(Messages::FileNotFound) + path).CStr(), ErrorFileNotFound);
    }
    // A device or a FIFO never ends, or blocks, or changes under the reader: only plain files
    // have a size to read up to.
    if (!S_ISREG(info.st_mode)) {
        close(descriptor);
        throw Exception((String(Messages::NotRegularFile) + path).CStr(), ErrorFileNotFound);
    }
    // Sizes and positions are signed 32-bit throughout the stream interface; a larger file
    // would be read short.
    if (info.st_size > INT_MAX) {
        close(descriptor);
        char detail[80];
        std::snprintf(detail, sizeof detail, " (%lld bytes; the limit is %d)", static_cast<long long>(info.st_size),
                      INT_MAX);
        throw Exception((String(Messages::FileTooLarge) + path + detail).CStr());
    }
    file = fdopen(descriptor, "rb");
    if (!file) {
        close(descriptor);
        throw Exception((String(Messages::FileNotFound) + path).CStr(), ErrorFileNotFound);
    }
}

InputFile::~InputFile() { std::fclose(file); }

unsigned InputFile::Read(void* buffer, unsigned size, unsigned count) {
    return static_cast<unsigned>(std::fread(buffer, size, count, file));
}

int InputFile::Seek(int origin, int offset) {
    static const int whence[] = {SEEK_SET, SEEK_CUR, SEEK_END};
    if (origin < 0 || origin > 2)
        return 1;
    return std::fseek(file, offset, whence[origin]);
}

// A file that grew past 2 GiB after it was opened has positions the interface cannot carry:
// -1 says so instead of a wrapped value.
int InputFile::Tell() {
    long long position = Position(file);
    return position >= 0 && position <= INT_MAX ? static_cast<int>(position) : -1;
}

int InputFile::Size() {
    std::fseek(file, 0, SEEK_END);
    long long size = Position(file);
    std::fseek(file, 0, SEEK_SET);
    return size >= 0 && size <= INT_MAX ? static_cast<int>(size) : -1;
}

} // namespace Gralith::Utils
