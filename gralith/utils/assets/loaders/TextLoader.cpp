#include "gralith/utils/assets/loaders/TextLoader.h"

#include "gralith/utils/assets/TextAsset.h"

namespace Gralith::Utils::Assets::Loaders {

Asset* TextLoader::Load(int type, InputStream* stream, String path, Proxy*) {
    if (type != AssetText)
        return nullptr;
    TextAsset* asset = new TextAsset(ReadText(stream));
    asset->SetName(path);
    return asset;
}

bool TextLoader::CanLoad(int type) { return type == AssetText; }

String TextLoader::GetName() { return "TextLoader"; }

} // namespace Gralith::Utils::Assets::Loaders
