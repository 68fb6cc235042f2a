#pragma once

#include "gralith/graphics/Enums.h"
#include "gralith/utils/assets/Asset.h"

namespace Gralith::Utils::Assets {

/// A decoded image in memory. Rows are tightly packed and stored bottom row first: the first
/// row in memory is the last row of the image file, as textures expect it.
class Bitmap2D : public Asset {
public:
    /// Takes ownership of pixels (allocated with new[]).
    Bitmap2D(int width, int height, Graphics::PixelFormat format, unsigned char* pixels);
    ~Bitmap2D() override;
    Bitmap2D(const Bitmap2D&) = delete;
    Bitmap2D& operator=(const Bitmap2D&) = delete;

    int GetType() const override { return AssetBitmap2D; }

    int GetWidth() const { return width; }
    int GetHeight() const { return height; }
    Graphics::PixelFormat GetFormat() const { return format; }
    unsigned char* GetPixels() const { return pixels; }

private:
    int width;
    int height;
    Graphics::PixelFormat format;
    unsigned char* pixels;
};

} // namespace Gralith::Utils::Assets
