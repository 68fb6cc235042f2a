#pragma once

#include "gralith/graphics/Texture.h"

namespace Gralith::Graphics {

class Surface;

class TextureCube : public Texture {
public:
    /// Uploads one level of one face (edge >> level square), as Texture2D::SetData.
    virtual void SetData(CubeFace face, int level, const void* data, bool generateMipmaps) = 0;
    /// The surface of one level of one face (owned by the texture).
    virtual Surface* GetSurface(CubeFace face, int level) = 0;
    /// Edge length of level 0.
    virtual int GetSize() const = 0;
};

} // namespace Gralith::Graphics
