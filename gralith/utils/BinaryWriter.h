#pragma once

#include "gralith/utils/Array.h"
#include "gralith/utils/String.h"

namespace Gralith::Utils {

/// Builds little-endian binary data in memory: int32, float32, length-prefixed strings and raw
/// bytes, the primitives of the engine's FGM and FSG formats.
class BinaryWriter {
public:
    void WriteInt32(int value);
    void WriteFloat32(float value);
    /// A 32-bit length, then the characters without terminator.
    void WriteString(const String& text);
    /// The characters of text without length or terminator (magic numbers).
    void WriteRaw(const char* text);
    void WriteBytes(const void* data, int count);

    const Array<unsigned char>& GetBytes() const { return bytes; }
    int GetSize() const { return bytes.Count(); }
    /// Writes the bytes to a file; false when it cannot be written completely.
    bool SaveTo(const String& path) const;

private:
    Array<unsigned char> bytes;
};

} // namespace Gralith::Utils
