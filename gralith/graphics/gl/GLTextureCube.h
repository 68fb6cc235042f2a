#pragma once

#include "gralith/Ref.h"
#include "gralith/graphics/TextureCube.h"
#include "gralith/graphics/gl/GLTextureHandle.h"

namespace Gralith::Graphics {

class GLDevice;
class GLSurface;
struct GLFormatRecord;

class GLTextureCube : public TextureCube, public GLTextureHandle {
public:
    /// Allocates level 0 of all six faces. Refuses the single-channel float formats.
    GLTextureCube(GLDevice* device, int size, PixelFormat format, bool renderable);
    ~GLTextureCube() override;

    PixelFormat GetPixelFormat() const override { return format; }
    TextureType GetType() const override { return TextureType::TextureCube; }
    void GenerateMipmaps() override;
    void SetData(CubeFace face, int level, const void* data, bool generateMipmaps) override;
    Surface* GetSurface(CubeFace face, int level) override;
    int GetSize() const override { return size; }

    unsigned int GetGLName() const override { return name; }
    unsigned int GetGLTarget() const override;
    bool IsRenderable() const { return renderable; }

private:
    Ref<GLDevice> device; ///< held: the device outlives what it made
    const GLFormatRecord* record;
    unsigned int name = 0;
    int size;
    PixelFormat format;
    bool renderable;
    GLSurface* surfaces[6][16] = {};
};

} // namespace Gralith::Graphics
