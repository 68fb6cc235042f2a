#pragma once

#include "gralith/Object.h"
#include "gralith/graphics/Enums.h"

namespace Gralith::Graphics {

/// A 2D image that can be rendered to or read from: the back buffer, a stand-alone render
/// surface, or one level (and face) of a texture. Textures own the surfaces they hand out.
class Surface : public Object {
public:
    ~Surface() override = default;
    /// Copies a rectangle of source into a rectangle of this surface, scaling when the sizes
    /// differ, with filter FilterPoint or FilterLinear. Both surfaces must be renderable.
    virtual void Copy(Surface* source, int srcX, int srcY, int srcWidth, int srcHeight, int dstX, int dstY,
                      int dstWidth, int dstHeight, FilterMode filter) = 0;
    virtual int GetWidth() const = 0;
    virtual int GetHeight() const = 0;
};

} // namespace Gralith::Graphics
