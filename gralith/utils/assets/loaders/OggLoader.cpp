#include "gralith/utils/assets/loaders/OggLoader.h"

#include "gralith/Exception.h"
#include "gralith/utils/Messages.h"
#include "gralith/utils/assets/loaders/OggStream.h"

namespace Gralith::Utils::Assets::Loaders {

Asset* OggLoader::Load(int, String path, Proxy* proxy) {
    InputStream* stream = Open(path, proxy);
    if (!stream)
        throw Exception(Messages::NullAccess);
    OggStream* ogg;
    try {
        ogg = new OggStream(stream);
    } catch (...) {
        stream->Release();
        throw;
    }
    stream->Release();
    Asset* asset = new WrapperAsset<Audio::Stream*, AssetAudioStream>(ogg);
    asset->SetName(path);
    return asset;
}

} // namespace Gralith::Utils::Assets::Loaders
