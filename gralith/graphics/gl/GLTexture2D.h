#pragma once

#include "gralith/Ref.h"
#include "gralith/graphics/Texture2D.h"
#include "gralith/graphics/gl/GLTextureHandle.h"

namespace Gralith::Graphics {

class GLDevice;
class GLSurface;
struct GLFormatRecord;

class GLTexture2D : public Texture2D, public GLTextureHandle {
public:
    /// Allocates level 0 with linear filtering. Refuses the single-channel float formats.
    GLTexture2D(GLDevice* device, int width, int height, PixelFormat format, bool renderable);
    ~GLTexture2D() override;

    PixelFormat GetPixelFormat() const override { return format; }
    TextureType GetType() const override { return TextureType::Texture2D; }
    void GenerateMipmaps() override;
    void SetData(int level, const void* data, bool generateMipmaps) override;
    Surface* GetSurface(int level) override;
    int GetWidth() const override { return width; }
    int GetHeight() const override { return height; }

    unsigned int GetGLName() const override { return name; }
    unsigned int GetGLTarget() const override;
    bool IsRenderable() const { return renderable; }

private:
    Ref<GLDevice> device; ///< held: the device outlives what it made
    const GLFormatRecord* record;
    unsigned int name = 0;
    int width;
    int height;
    PixelFormat format;
    bool renderable;
    GLSurface* surfaces[16] = {};
};

} // namespace Gralith::Graphics
