#pragma once

#include <cstdint>

namespace Velorin {

/// The dialogs' header images as plain pixels, for toolkits that draw no gradients of their own:
/// a dark diagonal gradient with soft light streaks, in the colours and shapes the GTK banner
/// paints. The title text is the toolkit's part; BlendWhite lays its coverage over the pixels.
class BannerPixels {
public:
    /// Accent colours: the configuration dialog is blue-violet, the error dialog red.
    enum Accent { AccentInvitation, AccentError };

    /// The text both dialogs' banners carry.
    static constexpr const char* Title = "HALCYRA";
    static constexpr const char* Subtitle = "Brightmoot 2008 Invitation";

    /// Fills width x height pixels (0xFFRRGGBB, rows top to bottom) with the background.
    static void Paint(uint32_t* pixels, int width, int height, Accent accent);

    /// Blends white over the pixels where coverage (one byte per pixel, same layout) is set,
    /// scaled by alpha (0..1): how the title and subtitle are laid over the background.
    static void BlendWhite(uint32_t* pixels, const uint8_t* coverage, int width, int height, double alpha);
};

} // namespace Velorin
