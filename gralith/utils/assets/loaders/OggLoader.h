#pragma once

#include "gralith/utils/assets/loaders/Loader.h"

namespace Gralith::Utils::Assets::Loaders {

/// Opens an Ogg Vorbis file as a decoding OggStream (type 14). The stream keeps its own copy of
/// the file, so the file is closed at once.
class OggLoader : public Loader {
public:
    using Loader::Load;
    Asset* Load(int type, String path, Proxy* proxy) override;
    bool CanLoad(int type) override { return type == AssetAudioStream; }
    String GetName() override { return "OggLoader"; }
};

} // namespace Gralith::Utils::Assets::Loaders
