#pragma once

#include "gralith/Object.h"
#include "gralith/graphics/Enums.h"

namespace Gralith::Graphics {

/// A texture with a full mipmap chain. The level uploads and surface access are declared by
/// each kind, since their arguments differ (levels, cube faces).
class Texture : public Object {
public:
    ~Texture() override = default;
    virtual PixelFormat GetPixelFormat() const = 0;
    virtual TextureType GetType() const = 0;
    /// Derives every lower level from level 0.
    virtual void GenerateMipmaps() = 0;
};

} // namespace Gralith::Graphics
