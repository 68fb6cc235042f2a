#pragma once

#include "gralith/utils/String.h"

#include <cstdint>
#include <cstdio>

namespace Gralith::Utils::Assets::Loaders {

/// The largest edge an image file may declare. Larger images could not become textures anyway,
/// and a corrupt header must not make a loader allocate gigabytes before it finds the damage.
constexpr int MaxImageDimension = 16384;

/// The most pixels an image may decode to: 16 Mi pixels, a 64 MiB RGBA bitmap (4096 x 4096, or
/// 16384 x 1024 along the longest edge). The show's largest texture has 2.6 M pixels. An edge
/// limit alone lets a few kilobytes of well-compressed data ask for 1 GiB, and every decoded
/// bitmap is copied again on its way to the device.
constexpr std::uint64_t MaxImagePixels = std::uint64_t(1) << 24;

/// Whether an image of this size stays within both limits; checked before anything is allocated.
constexpr bool ImageSizeAllowed(std::uint64_t width, std::uint64_t height) {
    return width <= std::uint64_t(MaxImageDimension) && height <= std::uint64_t(MaxImageDimension) &&
           width * height <= MaxImagePixels;
}

/// "Image too large: <w> x <h> pixels (the limit is <n> pixels, <e> on either edge)".
inline String ImageTooLargeMessage(std::uint64_t width, std::uint64_t height) {
    char text[160];
    std::snprintf(text, sizeof text,
                  "Image too large: %llu x %llu pixels (the limit is %llu pixels, %d on either edge)",
                  static_cast<unsigned long long>(width), static_cast<unsigned long long>(height),
                  static_cast<unsigned long long>(MaxImagePixels), MaxImageDimension);
    return String(text);
}

} // namespace Gralith::Utils::Assets::Loaders
