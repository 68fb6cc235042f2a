#pragma once

#include "gralith/utils/InputStream.h"
#include "gralith/utils/String.h"

namespace Gralith::Utils {

/// Reads little-endian int32, float32, length-prefixed strings and raw blocks from a stream,
/// checking every read and every count against the bytes that remain. Truncated or corrupt
/// data fails with an Exception naming the format, the field and the byte offset, before any
/// allocation is sized from a value that the file cannot back.
///
/// The reader starts at the stream's current position and leaves the stream positioned after
/// the last byte it read, so a caller can read one block embedded in a larger file.
class BinaryReader {
public:
    /// format names the data in messages ("FGM", "FSG"). The stream is borrowed.
    BinaryReader(InputStream* stream, const char* format);

    int ReadInt32(const char* what);
    float ReadFloat32(const char* what);
    /// A 32-bit length followed by that many bytes of text.
    String ReadString(const char* what);
    /// Exactly count raw bytes into out.
    void ReadBytes(void* out, long long count, const char* what);

    /// A 32-bit count of items that each occupy at least minItemBytes in the file. A count <= 0
    /// means no items and answers 0; a count that the remaining bytes cannot hold fails.
    int ReadCount(const char* what, int minItemBytes);
    /// Fails unless count items of itemBytes each fit into the remaining bytes.
    void CheckFits(long long count, long long itemBytes, const char* what);

    /// Takes the stream's position as the reader's, after someone else read from the stream.
    void Resync() { position = stream->Tell(); }

    long long GetPosition() const { return position; }
    long long GetRemaining() const { return size - position; }
    const char* GetFormat() const { return format; }

    /// Throws "Corrupt <format> data: <detail> at byte <position>".
    [[noreturn]] void Fail(const String& detail) const { FailAt(position, detail); }
    /// Throws "Corrupt <format> data: <detail> at byte <offset>".
    [[noreturn]] void FailAt(long long offset, const String& detail) const;

private:
    InputStream* stream;
    const char* format;
    long long position;
    long long size;
};

} // namespace Gralith::Utils
