#pragma once

namespace Gralith::Utils::Assets::Loaders {

/// The largest edge an image file may declare. Larger images could not become textures anyway,
/// and a corrupt header must not make a loader allocate gigabytes before it finds the damage.
constexpr int MaxImageDimension = 16384;

} // namespace Gralith::Utils::Assets::Loaders
