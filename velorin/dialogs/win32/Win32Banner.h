#pragma once

#include "velorin/dialogs/BannerPixels.h"

#include <cstdint>
#include <vector>

struct HBITMAP__;

namespace Velorin {

/// The dialogs' header images on Win32: the portable background with the title and subtitle
/// drawn by GDI in the GTK banner's typefaces and places.
class Win32Banner {
public:
    /// The image's pixels, 0xFFRRGGBB, rows top to bottom.
    static std::vector<uint32_t> Draw(int width, int height, const char* title, const char* subtitle,
                                      BannerPixels::Accent accent);
    /// A top-down 32-bit DIB section holding pixels; the caller deletes it.
    static HBITMAP__* CreateBitmap(const std::vector<uint32_t>& pixels, int width, int height);
};

} // namespace Velorin
