#pragma once

namespace Gralith::Graphics {

/// What the shading layer needs to bind any texture of this backend to a sampler.
class GLTextureHandle {
public:
    virtual ~GLTextureHandle() = default;
    /// The GL texture name.
    virtual unsigned int GetGLName() const = 0;
    /// GL_TEXTURE_2D or GL_TEXTURE_CUBE_MAP.
    virtual unsigned int GetGLTarget() const = 0;
};

} // namespace Gralith::Graphics
