#include "gralith/utils/assets/loaders/Texture2DLoader.h"

#include "gralith/graphics/Device.h"
#include "gralith/graphics/Texture2D.h"
#include "gralith/utils/Array.h"
#include "gralith/utils/UtilsException.h"
#include "gralith/utils/assets/Bitmap2D.h"
#include "gralith/utils/assets/Proxy.h"
#include "gralith/utils/assets/loaders/LoaderSupport.h"

namespace Gralith::Utils::Assets::Loaders {

Asset* Texture2DLoader::Load(int type, String path, Proxy* proxy) {
    if (type != AssetTexture)
        return nullptr;
    // Cube descriptors are refused here so that the proxy passes them on to the cube loader.
    if (path.IndexOf('#') >= 0 || path.IndexOf('*') >= 0)
        throw UtilsException(InvalidDescriptor);

    Array<String> levels;
    path.Split(';', levels);
    Graphics::Device* device = DeviceOf(proxy);
    Graphics::Texture2D* texture = nullptr;
    try {
        for (int i = 0; i < levels.Count(); ++i) {
            Bitmap2D* bitmap = GetBitmap(proxy, levels[i]);
            if (i == 0)
                texture = device->CreateTexture2D(bitmap->GetWidth(), bitmap->GetHeight(), bitmap->GetFormat(), false);
            else
                CheckLevelSize(bitmap, levels[i], i, texture->GetWidth(), texture->GetHeight());
            texture->SetData(i, bitmap->GetPixels(), levels.Count() == 1);
        }
    } catch (...) {
        if (texture)
            texture->Release();
        throw;
    }

    auto* asset = new WrapperAsset<Graphics::Texture*, AssetTexture>(texture);
    asset->SetName(path);
    return asset;
}

bool Texture2DLoader::CanLoad(int type) { return type == AssetTexture; }

String Texture2DLoader::GetName() { return "Texture2DLoader"; }

} // namespace Gralith::Utils::Assets::Loaders
