#pragma once

#include "gralith/utils/String.h"

namespace Gralith::Graphics {
class Device;
}
namespace Gralith::Utils::Assets {
class Bitmap2D;
class Proxy;
} // namespace Gralith::Utils::Assets

namespace Gralith::Utils::Assets::Loaders {

// Helpers the device-object loaders share.

/// The proxy's graphics device; throws when the proxy was made without one.
Graphics::Device* DeviceOf(Proxy* proxy);

/// The bitmap under descriptor (borrowed from the proxy's cache).
Bitmap2D* GetBitmap(Proxy* proxy, const String& descriptor);

/// Throws "Invalid resolutions in bitmap: <name> (Mip level <level> must be <w> x <h>)" unless
/// the bitmap is exactly the size of that level of a base x base texture: a level of any other
/// size would make the device read past the bitmap or upload a garbled level.
void CheckLevelSize(const Bitmap2D* bitmap, const String& name, int level, int baseWidth, int baseHeight);

} // namespace Gralith::Utils::Assets::Loaders
