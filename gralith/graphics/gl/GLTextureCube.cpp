#include "gralith/graphics/gl/GLTextureCube.h"

#include "gralith/Exception.h"
#include "gralith/graphics/Messages.h"
#include "gralith/graphics/StateValidation.h"
#include "gralith/graphics/gl/GLDevice.h"
#include "gralith/graphics/gl/GLFunctions.h"
#include "gralith/graphics/gl/GLMappings.h"
#include "gralith/graphics/gl/GLSurface.h"
#include "gralith/graphics/gl/GLTextureBinding.h"

#include <GL/gl.h>
#include <GL/glext.h>

namespace Gralith::Graphics {

namespace {

void AllocateFace(const GLFunctions& gl, const GLFormatRecord& record, PixelFormat format, CubeFace face, int level,
                  int size, const void* data) {
    if (record.Compressed)
        gl.CompressedTexImage2D(GLCubeFace(face), level, record.InternalFormat, size, size, 0,
                                GLCompressedImageSize(format, size, size), data);
    else
        gl.TexImage2D(GLCubeFace(face), level, static_cast<int>(record.InternalFormat), size, size, 0,
                      record.PixelFormat, record.ComponentType, data);
}

void SetLinearFiltering(const GLFunctions& gl) {
    gl.TexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    gl.TexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
}

} // namespace

GLTextureCube::GLTextureCube(GLDevice* device, int size, PixelFormat format, bool renderable)
    : device(device), record(&GLFormat(format)), size(size), format(format), renderable(renderable) {
    if (format == PixelFormatFloatR16)
        throw Exception(Messages::CubeFloatR16, ErrorGeneral);
    if (format == PixelFormatFloatR32)
        throw Exception(Messages::CubeFloatR32, ErrorGeneral);
    device->MakeCurrent();
    const GLFunctions& gl = device->GL();
    device->ClearErrors();
    gl.GenTextures(1, &name);
    GLTextureBinding binding(gl, GL_TEXTURE_CUBE_MAP, name);
    // Render targets get every level of every face up front (see GLTexture2D).
    int levels = renderable ? MipLevelCount(size, size) : 1;
    for (int face = PositiveX; face <= NegativeZ; ++face)
        for (int level = 0; level < levels; ++level) {
            int edge = size >> level;
            AllocateFace(gl, *record, format, static_cast<CubeFace>(face), level, edge < 1 ? 1 : edge, nullptr);
        }
    SetLinearFiltering(gl);
    if (unsigned int error = device->TakeError()) {
        gl.DeleteTextures(1, &name);
        throw Exception(error == GL_OUT_OF_MEMORY ? Messages::TextureOutOfMemory : Messages::TextureCreation,
                        ErrorGeneral);
    }
}

GLTextureCube::~GLTextureCube() {
    for (auto& face : surfaces)
        for (GLSurface* surface : face)
            if (surface)
                surface->Release();
    device->MakeCurrent();
    device->GL().DeleteTextures(1, &name);
}

unsigned int GLTextureCube::GetGLTarget() const { return GL_TEXTURE_CUBE_MAP; }

void GLTextureCube::GenerateMipmaps() {
    device->MakeCurrent();
    const GLFunctions& gl = device->GL();
    GLTextureBinding binding(gl, GL_TEXTURE_CUBE_MAP, name);
    gl.GenerateMipmap(GL_TEXTURE_CUBE_MAP);
}

void GLTextureCube::SetData(CubeFace face, int level, const void* data, bool generateMipmaps) {
    if (format == PixelFormatFloatR16G16B16A16)
        throw Exception(Messages::CubeSetDataFloat16, ErrorGeneral);
    if (renderable)
        throw Exception(Messages::SetDataRenderable, ErrorInvalidState);
    GLCubeFace(face);
    if (level < 0 || level >= MipLevelCount(size, size))
        throw Exception(Messages::InvalidLevel, ErrorInvalidArgument);
    device->MakeCurrent();
    const GLFunctions& gl = device->GL();
    GLTextureBinding binding(gl, GL_TEXTURE_CUBE_MAP, name);
    int edge = size >> level;
    AllocateFace(gl, *record, format, face, level, edge < 1 ? 1 : edge, data);
    ++device->Statistics().TextureUploads;
    if (generateMipmaps)
        gl.GenerateMipmap(GL_TEXTURE_CUBE_MAP);
    SetLinearFiltering(gl);
}

Surface* GLTextureCube::GetSurface(CubeFace face, int level) {
    if (format == PixelFormatLuminance8)
        throw Exception(Messages::Luminance8Surface, ErrorGeneral);
    GLCubeFace(face);
    if (level < 0 || level >= 16 || level >= MipLevelCount(size, size))
        throw Exception(Messages::InvalidLevel, ErrorInvalidArgument);
    if (!surfaces[face][level])
        surfaces[face][level] = GLSurface::ForCubeFaceLevel(device.Get(), this, name, face, level, size >> level,
                                                            size >> level, format, renderable);
    return surfaces[face][level];
}

} // namespace Gralith::Graphics
