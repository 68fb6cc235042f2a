#include "gralith/utils/assets/loaders/TextureCubeLoader.h"

#include "gralith/graphics/Device.h"
#include "gralith/graphics/TextureCube.h"
#include "gralith/utils/Array.h"
#include "gralith/utils/Messages.h"
#include "gralith/utils/UtilsException.h"
#include "gralith/utils/assets/Bitmap2D.h"
#include "gralith/utils/assets/Proxy.h"
#include "gralith/utils/assets/loaders/LoaderSupport.h"

namespace Gralith::Utils::Assets::Loaders {

namespace {

constexpr int FaceCount = 6;
// In CubeFace order: +X, +Y, +Z, -X, -Y, -Z.
const char* const FaceNames[FaceCount] = {"px", "py", "pz", "nx", "ny", "nz"};

} // namespace

Asset* TextureCubeLoader::Load(int type, String path, Proxy* proxy) {
    if (type != AssetTexture)
        return nullptr;

    Array<String> entries;
    path.Split('#', entries);
    Array<String> faces[FaceCount];
    if (entries.Count() == 1) {
        Array<String> levels;
        entries[0].Split(';', levels);
        for (const String& level : levels) {
            Array<String> pieces;
            level.Split('*', pieces);
            if (pieces.Count() != 2)
                throw UtilsException(WildcardNotFound);
            for (int f = 0; f < FaceCount; ++f)
                faces[f].Add(pieces[0] + FaceNames[f] + pieces[1]);
        }
    } else if (entries.Count() == FaceCount) {
        for (int f = 0; f < FaceCount; ++f)
            entries[f].Split(';', faces[f]);
    } else {
        throw UtilsException(InvalidFaceCount);
    }

    Graphics::Device* device = DeviceOf(proxy);
    Graphics::TextureCube* texture = nullptr;
    try {
        for (int f = 0; f < FaceCount; ++f) {
            for (int i = 0; i < faces[f].Count(); ++i) {
                const String& name = faces[f][i];
                Bitmap2D* bitmap = GetBitmap(proxy, name);
                if (bitmap->GetWidth() != bitmap->GetHeight())
                    throw UtilsException(String(Messages::InvalidResolutions) + name + Messages::CubeFaceNotSquare);
                if (!texture)
                    texture = device->CreateTextureCube(bitmap->GetWidth(), bitmap->GetFormat(), false);
                else if (i == 0 && bitmap->GetWidth() != texture->GetSize())
                    throw UtilsException(String(Messages::InvalidResolutions) + name + Messages::CubeFacesUnequal);
                else if (i > 0)
                    CheckLevelSize(bitmap, name, i, texture->GetSize(), texture->GetSize());
                texture->SetData(static_cast<Graphics::CubeFace>(f), i, bitmap->GetPixels(), faces[f].Count() == 1);
            }
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

bool TextureCubeLoader::CanLoad(int type) { return type == AssetTexture; }

String TextureCubeLoader::GetName() { return "TextureCubeLoader"; }

} // namespace Gralith::Utils::Assets::Loaders
