#include "gralith/utils/BinaryReader.h"

#include "gralith/utils/Messages.h"
#include "gralith/utils/UtilsException.h"

#include <cstdio>
#include <cstring>
#include <memory>

namespace Gralith::Utils {

namespace {

String Number(long long value) {
    char text[32];
    std::snprintf(text, sizeof text, "%lld", value);
    return String(text);
}

} // namespace

BinaryReader::BinaryReader(InputStream* stream, const char* format) : stream(stream), format(format) {
    if (!stream)
        throw Exception(Messages::NullAccess);
    // Size() rewinds the stream, so the current position is restored after asking.
    position = stream->Tell();
    size = stream->Size();
    if (position < 0 || size < position || stream->Seek(0, static_cast<int>(position)) != 0)
        throw UtilsException(String(Messages::UnreadableSizeBegin) + format + Messages::UnreadableSizeEnd);
}

void BinaryReader::FailAt(long long offset, const String& detail) const {
    throw UtilsException(String(Messages::CorruptDataBegin) + format + Messages::CorruptDataMiddle + detail +
                         Messages::CorruptDataAt + Number(offset));
}

void BinaryReader::ReadBytes(void* out, long long count, const char* what) {
    if (count < 0)
        Fail(String("negative size of ") + what);
    if (count > GetRemaining())
        Fail(String("unexpected end of file reading ") + what + " (" + Number(count) + " bytes needed, " +
             Number(GetRemaining()) + " left)");
    unsigned char* target = static_cast<unsigned char*>(out);
    long long done = 0;
    // Read in pieces that fit the stream's unsigned count.
    while (done < count) {
        long long piece = count - done;
        if (piece > (1 << 30))
            piece = 1 << 30;
        unsigned got = stream->Read(target + done, 1, static_cast<unsigned>(piece));
        if (got != piece) {
            position += got;
            Fail(String("unexpected end of file reading ") + what);
        }
        done += piece;
        position += piece;
    }
}

int BinaryReader::ReadInt32(const char* what) {
    unsigned char b[4];
    ReadBytes(b, 4, what);
    unsigned value = unsigned(b[0]) | (unsigned(b[1]) << 8) | (unsigned(b[2]) << 16) | (unsigned(b[3]) << 24);
    int result;
    std::memcpy(&result, &value, 4);
    return result;
}

float BinaryReader::ReadFloat32(const char* what) {
    unsigned char b[4];
    ReadBytes(b, 4, what);
    unsigned value = unsigned(b[0]) | (unsigned(b[1]) << 8) | (unsigned(b[2]) << 16) | (unsigned(b[3]) << 24);
    float result;
    std::memcpy(&result, &value, 4);
    return result;
}

String BinaryReader::ReadString(const char* what) {
    long long start = position;
    int length = ReadInt32(what);
    if (length < 0) {
        position = start;
        Fail(String("negative length ") + Number(length) + " of " + what);
    }
    if (length > GetRemaining()) {
        position = start;
        Fail(String("length ") + Number(length) + " of " + what + " exceeds the " + Number(GetRemaining() - 4) +
             " bytes left");
    }
    std::unique_ptr<char[]> text(new char[length + 1]);
    ReadBytes(text.get(), length, what);
    text[length] = 0;
    // Text is zero-terminated in memory; a zero inside would silently cut the name short.
    if (std::memchr(text.get(), 0, length)) {
        position = start;
        Fail(String(what) + " contains a zero byte");
    }
    return String(text.get());
}

int BinaryReader::ReadCount(const char* what, int minItemBytes) {
    long long start = position;
    int count = ReadInt32(what);
    if (count <= 0)
        return 0;
    const long long left = GetRemaining();
    if (static_cast<long long>(count) * minItemBytes > left) {
        position = start;
        Fail(String(what) + " " + Number(count) + " exceeds what the " + Number(left) + " bytes left can hold");
    }
    return count;
}

void BinaryReader::CheckFits(long long count, long long itemBytes, const char* what) {
    if (count < 0 || itemBytes < 0)
        Fail(String("negative size of ") + what);
    // count and itemBytes come from 32-bit fields, so the product cannot overflow 64 bits.
    if (count * itemBytes > GetRemaining())
        Fail(String(what) + " needs " + Number(count * itemBytes) + " bytes but only " + Number(GetRemaining()) +
             " are left");
}

} // namespace Gralith::Utils
