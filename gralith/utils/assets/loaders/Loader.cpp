#include "gralith/utils/assets/loaders/Loader.h"

#include "gralith/Exception.h"
#include "gralith/utils/FileSystem.h"
#include "gralith/utils/Messages.h"
#include "gralith/utils/assets/Proxy.h"

#include <vector>

namespace Gralith::Utils::Assets::Loaders {

namespace {

// Releases a stream however the scope is left, so a throwing reader cannot leak an open file.
class StreamHolder {
public:
    explicit StreamHolder(InputStream* stream) : stream(stream) {}
    StreamHolder(const StreamHolder&) = delete;
    StreamHolder& operator=(const StreamHolder&) = delete;
    ~StreamHolder() { stream->Release(); }
    InputStream* Get() const { return stream; }

private:
    InputStream* stream;
};

} // namespace

Asset* Loader::Load(int type, String path, Proxy* proxy) {
    StreamHolder stream(Open(path, proxy));
    return Load(type, stream.Get(), path, proxy);
}

Asset* Loader::Load(int, InputStream*, String, Proxy*) { throw Exception(UnsupportedLoadMethod); }

InputStream* Loader::Open(String path, Proxy* proxy) {
    FileSystem* fileSystem = proxy->GetFileSystem();
    if (!fileSystem)
        throw Exception(NoFileSystem);
    return fileSystem->Open(path);
}

String Loader::ReadFile(String path, Proxy* proxy) {
    StreamHolder stream(Open(path, proxy));
    return ReadText(stream.Get());
}

String Loader::ReadText(InputStream* stream) {
    int size = stream->Size();
    if (size < 0)
        throw Exception(Messages::StreamSizeUnknown);
    std::vector<char> buffer(static_cast<size_t>(size) + 1);
    // A short read ends the text at what was read rather than exposing unread bytes.
    unsigned got = stream->Read(buffer.data(), 1, static_cast<unsigned>(size));
    buffer[got < static_cast<unsigned>(size) ? got : static_cast<unsigned>(size)] = 0;
    return String(buffer.data());
}

} // namespace Gralith::Utils::Assets::Loaders
