#pragma once

#include "gralith/graphics/Texture.h"

namespace Gralith::Graphics {

class Surface;

class Texture2D : public Texture {
public:
    /// Uploads the pixels of one level (width >> level by height >> level, rows tightly packed,
    /// compressed formats in rows of 4x4 blocks) in the texture's own format; optionally derives
    /// the lower levels from level 0 afterwards. Refused on renderable textures.
    virtual void SetData(int level, const void* data, bool generateMipmaps) = 0;
    /// The surface of one level (owned by the texture; the same object on every call).
    virtual Surface* GetSurface(int level) = 0;
    virtual int GetWidth() const = 0;
    virtual int GetHeight() const = 0;
};

} // namespace Gralith::Graphics
