#include "gralith/utils/assets/loaders/WavLoader.h"

#include "gralith/Exception.h"
#include "gralith/utils/Array.h"
#include "gralith/utils/Messages.h"
#include "gralith/utils/UtilsException.h"
#include "gralith/utils/assets/WaveData.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>

namespace Gralith::Utils::Assets::Loaders {

namespace {

String Number(long long value) {
    char text[32];
    std::snprintf(text, sizeof text, "%lld", value);
    return String(text);
}

// A chunk tag for messages: printable characters kept, others shown as '?'.
String Tag(const unsigned char* tag) {
    char text[5];
    for (int i = 0; i < 4; ++i)
        text[i] = tag[i] >= 32 && tag[i] < 127 ? static_cast<char>(tag[i]) : '?';
    text[4] = 0;
    return String(text);
}

[[noreturn]] void Invalid(const String& what) { throw UtilsException(String(Messages::InvalidWav) + what); }

uint32_t U32(const unsigned char* p) {
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}

uint16_t U16(const unsigned char* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

// Reads from a stream whose size is known, tracking the position itself.
class Reader {
public:
    explicit Reader(InputStream* stream) : stream(stream) {
        long long total = stream->Size();
        size = total > 0 ? total : 0;
    }

    long long Remaining() const { return size - position; }

    bool Read(void* out, long long count) {
        if (count > Remaining())
            return false;
        unsigned got = stream->Read(out, 1, static_cast<unsigned>(count));
        position += got;
        return got == count;
    }

    bool Skip(long long count) {
        if (count > Remaining())
            return false;
        if (count == 0)
            return true;
        if (stream->Seek(1, static_cast<int>(count)) != 0)
            return false;
        position += count;
        return true;
    }

private:
    InputStream* stream;
    long long size = 0;
    long long position = 0;
};

} // namespace

Asset* WavLoader::Load(int, String path, Proxy* proxy) {
    Array<String> pieces;
    path.Split(':', pieces);
    InputStream* stream = Open(pieces[0], proxy);
    if (!stream)
        throw Exception(Messages::NullAccess);
    try {
        WaveData* wave = Parse(stream, path);
        stream->Release();
        return wave;
    } catch (...) {
        stream->Release();
        throw;
    }
}

WaveData* WavLoader::Parse(InputStream* stream, String path) {
    if (!stream)
        throw Exception(Messages::NullAccess);
    Reader in(stream);
    unsigned char header[12];
    if (!in.Read(header, 4) || std::memcmp(header, "RIFF", 4) != 0)
        Invalid("RIFF-header not found");
    if (!in.Read(header + 4, 4))
        Invalid("RIFF size missing");
    if (!in.Read(header + 8, 4) || std::memcmp(header + 8, "WAVE", 4) != 0)
        Invalid("WAVE-header not found");
    // The RIFF size is not trusted (writers that stream leave it wrong): the file's end bounds
    // the chunk search.

    unsigned char chunk[8];
    unsigned char format[16];
    bool haveFormat = false;
    // Chunks up to the format chunk: anything else before it is skipped.
    while (!haveFormat) {
        if (!in.Read(chunk, 8) || std::memcmp(chunk, "data", 4) == 0)
            Invalid("FORMAT-header not found");
        long long chunkSize = U32(chunk + 4);
        long long padded = chunkSize + (chunkSize & 1);
        if (std::memcmp(chunk, "fmt", 3) == 0) {
            if (chunkSize < 16)
                Invalid(String("format chunk too short (") + Number(chunkSize) + " bytes)");
            if (!in.Read(format, 16) || !in.Skip(padded - 16))
                Invalid("format chunk runs past the end of the file");
            haveFormat = true;
        } else if (!in.Skip(padded)) {
            Invalid(String("chunk '") + Tag(chunk) + "' runs past the end of the file");
        }
    }
    int channels = U16(format + 2);
    uint32_t bytesPerSecond = U32(format + 8);
    int blockAlign = U16(format + 12);
    int bitsPerSample = U16(format + 14);
    if (channels == 0)
        Invalid("the format has no channels");
    if (blockAlign == 0)
        Invalid("the format's block alignment is 0");
    int sampleRate = static_cast<int>(bytesPerSecond / static_cast<uint32_t>(blockAlign));

    for (;;) {
        if (in.Remaining() < 8)
            Invalid("DATA-chunk not found");
        in.Read(chunk, 8);
        long long chunkSize = U32(chunk + 4);
        if (std::memcmp(chunk, "data", 4) == 0) {
            if (chunkSize > in.Remaining())
                Invalid(String("data chunk runs past the end of the file (") + Number(chunkSize) + " bytes declared, " +
                        Number(in.Remaining()) + " present)");
            break;
        }
        if (!in.Skip(chunkSize + (chunkSize & 1)))
            Invalid(String("chunk '") + Tag(chunk) + "' runs past the end of the file");
    }
    long long dataSize = U32(chunk + 4);
    std::unique_ptr<unsigned char[]> data(new unsigned char[dataSize > 0 ? dataSize : 1]);
    if (!in.Read(data.get(), dataSize))
        Invalid("data chunk could not be read");
    WaveData* wave = new WaveData(data.release(), static_cast<int>(dataSize), channels, bitsPerSample, sampleRate);
    wave->SetName(path);
    return wave;
}

} // namespace Gralith::Utils::Assets::Loaders
