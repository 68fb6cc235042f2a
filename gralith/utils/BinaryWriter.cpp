#include "gralith/utils/BinaryWriter.h"

#include <cstdio>
#include <cstring>

namespace Gralith::Utils {

void BinaryWriter::WriteBytes(const void* data, int count) {
    if (count <= 0)
        return;
    // Scene files reach megabytes: far beyond the array's own steps of 10.
    bytes.ReserveGrowing(bytes.Count() + count);
    const unsigned char* p = static_cast<const unsigned char*>(data);
    for (int i = 0; i < count; ++i)
        bytes.Add(p[i]);
}

void BinaryWriter::WriteInt32(int value) {
    unsigned u = static_cast<unsigned>(value);
    unsigned char b[4] = {static_cast<unsigned char>(u), static_cast<unsigned char>(u >> 8),
                          static_cast<unsigned char>(u >> 16), static_cast<unsigned char>(u >> 24)};
    WriteBytes(b, 4);
}

void BinaryWriter::WriteFloat32(float value) {
    int bits;
    std::memcpy(&bits, &value, 4);
    WriteInt32(bits);
}

void BinaryWriter::WriteString(const String& text) {
    WriteInt32(text.Length());
    WriteBytes(text.CStr(), text.Length());
}

void BinaryWriter::WriteRaw(const char* text) { WriteBytes(text, static_cast<int>(std::strlen(text))); }

bool BinaryWriter::SaveTo(const String& path) const {
    std::FILE* file = std::fopen(path.CStr(), "wb");
    if (!file)
        return false;
    bool ok = std::fwrite(bytes.Data(), 1, bytes.Count(), file) == static_cast<size_t>(bytes.Count());
    return std::fclose(file) == 0 && ok;
}

} // namespace Gralith::Utils
