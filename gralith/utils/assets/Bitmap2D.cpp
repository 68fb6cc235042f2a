#include "gralith/utils/assets/Bitmap2D.h"

namespace Gralith::Utils::Assets {

Bitmap2D::Bitmap2D(int width, int height, Graphics::PixelFormat format, unsigned char* pixels)
    : width(width), height(height), format(format), pixels(pixels) {}

Bitmap2D::~Bitmap2D() { delete[] pixels; }

} // namespace Gralith::Utils::Assets
