#pragma once

#include "gralith/Ref.h"
#include "gralith/graphics/Surface.h"

namespace Gralith::Graphics {

class GLDevice;
class Texture;

/// What a GLSurface stands for.
enum GLSurfaceKind {
    GLSurfaceTextureLevel = 0,  ///< a level of a 2D texture
    GLSurfaceCubeFaceLevel = 1, ///< a level of one cube face
    GLSurfaceVolumeSlice = 2,   ///< a slice of a 3D texture (never created by this backend)
    GLSurfaceRenderbuffer = 3,  ///< a stand-alone surface from CreateSurface
    GLSurfaceBackBuffer = 4,    ///< the window's colour buffer
};

class GLSurface : public Surface {
public:
    static GLSurface* ForTextureLevel(GLDevice* device, Texture* owner, unsigned int texture, int level, int width,
                                      int height, PixelFormat format, bool renderable);
    static GLSurface* ForCubeFaceLevel(GLDevice* device, Texture* owner, unsigned int texture, CubeFace face, int level,
                                       int width, int height, PixelFormat format, bool renderable);
    /// Throws for a sample count above the implementation's limit or a format that cannot be
    /// rendered to (ErrorUnsupported).
    static GLSurface* CreateRenderbuffer(GLDevice* device, int width, int height, PixelFormat format, int samples);
    static GLSurface* ForBackBuffer(GLDevice* device, int width, int height);
    ~GLSurface() override;

    void Copy(Surface* source, int srcX, int srcY, int srcWidth, int srcHeight, int dstX, int dstY, int dstWidth,
              int dstHeight, FilterMode filter) override;
    int GetWidth() const override { return width; }
    int GetHeight() const override { return height; }

    GLSurfaceKind GetKind() const { return kind; }
    PixelFormat GetPixelFormat() const { return format; }
    bool IsRenderable() const { return renderable; }
    bool IsDepthStencil() const;
    int GetSamples() const { return samples; }
    unsigned int GetRenderbuffer() const { return renderbuffer; }
    Texture* GetOwner() const { return owner; }
    /// Attaches the surface at one attachment point of the framebuffer bound to target
    /// (a depth-stencil surface attaches to the stencil point as well when it has stencil).
    void AttachTo(unsigned int target, unsigned int attachment) const;

private:
    GLSurface(GLDevice* device, GLSurfaceKind kind, int width, int height, PixelFormat format, bool renderable);

    GLDevice* device;
    // Every surface but the device's own back buffer keeps its device alive.
    Ref<GLDevice> deviceReference;
    GLSurfaceKind kind;
    int width;
    int height;
    PixelFormat format;
    bool renderable;
    Texture* owner = nullptr;
    unsigned int texture = 0;
    unsigned int renderbuffer = 0;
    int level = 0;
    CubeFace face = PositiveX;
    int samples = 0;
};

} // namespace Gralith::Graphics
