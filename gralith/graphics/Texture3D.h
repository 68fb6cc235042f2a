#pragma once

#include "gralith/graphics/Texture.h"

namespace Gralith::Graphics {

class Surface;

/// A volume texture; uploads and surfaces are refused by every backend.
class Texture3D : public Texture {
public:
    virtual void SetData(int level, const void* data, bool generateMipmaps) = 0;
    virtual Surface* GetSurface(int level) = 0;
    virtual int GetWidth() const = 0;
    virtual int GetHeight() const = 0;
    virtual int GetDepth() const = 0;
};

} // namespace Gralith::Graphics
