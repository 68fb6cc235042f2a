#include "gralith/utils/assets/loaders/LoaderSupport.h"

#include "gralith/utils/Messages.h"
#include "gralith/utils/UtilsException.h"
#include "gralith/utils/assets/Bitmap2D.h"
#include "gralith/utils/assets/Proxy.h"

#include <cstdio>

namespace Gralith::Utils::Assets::Loaders {

Graphics::Device* DeviceOf(Proxy* proxy) {
    Graphics::Device* device = proxy->GetDevice();
    if (!device)
        throw UtilsException(Messages::NoGraphicsDevice);
    return device;
}

Bitmap2D* GetBitmap(Proxy* proxy, const String& descriptor) {
    auto* bitmap = dynamic_cast<Bitmap2D*>(proxy->Get(AssetBitmap2D, descriptor, nullptr));
    if (!bitmap)
        throw UtilsException(String(Messages::BitmapNotLoaded) + descriptor);
    return bitmap;
}

void CheckLevelSize(const Bitmap2D* bitmap, const String& name, int level, int baseWidth, int baseHeight) {
    // A level exists while either edge is still at least one pixel after the shift.
    bool exists = level < 31 && ((baseWidth >> level) > 0 || (baseHeight >> level) > 0);
    int width = exists ? (baseWidth >> level > 0 ? baseWidth >> level : 1) : 0;
    int height = exists ? (baseHeight >> level > 0 ? baseHeight >> level : 1) : 0;
    if (bitmap->GetWidth() == width && bitmap->GetHeight() == height)
        return;
    char size[64];
    if (exists)
        std::snprintf(size, sizeof(size), " (Mip level %i must be %i x %i)", level, width, height);
    else
        std::snprintf(size, sizeof(size), " (Mip level %i does not exist)", level);
    throw UtilsException(String(Messages::InvalidResolutions) + name + size);
}

} // namespace Gralith::Utils::Assets::Loaders
