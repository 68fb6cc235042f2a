#include "gralith/graphics/gl/GLTexture2D.h"

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

void Allocate(const GLFunctions& gl, unsigned int target, const GLFormatRecord& record, PixelFormat format, int level,
              int width, int height, const void* data) {
    if (record.Compressed)
        gl.CompressedTexImage2D(target, level, record.InternalFormat, width, height, 0,
                                GLCompressedImageSize(format, width, height), data);
    else
        gl.TexImage2D(target, level, static_cast<int>(record.InternalFormat), width, height, 0, record.PixelFormat,
                      record.ComponentType, data);
}

void SetLinearFiltering(const GLFunctions& gl, unsigned int target) {
    gl.TexParameteri(target, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    gl.TexParameteri(target, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
}

} // namespace

GLTexture2D::GLTexture2D(GLDevice* device, int width, int height, PixelFormat format, bool renderable)
    : device(device), record(&GLFormat(format)), width(width), height(height), format(format), renderable(renderable) {
    if (format == PixelFormatFloatR16)
        throw Exception(Messages::Texture2DFloatR16, ErrorGeneral);
    if (format == PixelFormatFloatR32)
        throw Exception(Messages::Texture2DFloatR32, ErrorGeneral);
    device->MakeCurrent();
    const GLFunctions& gl = device->GL();
    device->ClearErrors();
    gl.GenTextures(1, &name);
    GLTextureBinding binding(gl, record->Target, name);
    // Render targets get storage for every level up front, so each level's surface can be
    // drawn or copied into; other textures receive their levels through SetData.
    int levels = renderable ? MipLevelCount(width, height) : 1;
    for (int level = 0; level < levels; ++level) {
        int w = width >> level, h = height >> level;
        Allocate(gl, record->Target, *record, format, level, w < 1 ? 1 : w, h < 1 ? 1 : h, nullptr);
    }
    SetLinearFiltering(gl, record->Target);
    if (unsigned int error = device->TakeError()) {
        gl.DeleteTextures(1, &name);
        throw Exception(error == GL_OUT_OF_MEMORY ? Messages::TextureOutOfMemory : Messages::TextureCreation,
                        ErrorGeneral);
    }
}

GLTexture2D::~GLTexture2D() {
    for (GLSurface* surface : surfaces)
        if (surface)
            surface->Release();
    device->MakeCurrent();
    device->GL().DeleteTextures(1, &name);
}

unsigned int GLTexture2D::GetGLTarget() const { return record->Target; }

void GLTexture2D::GenerateMipmaps() {
    if (record->Target != GL_TEXTURE_2D)
        throw Exception(Messages::MipmapPixelFormat, ErrorRefused);
    device->MakeCurrent();
    const GLFunctions& gl = device->GL();
    GLTextureBinding binding(gl, GL_TEXTURE_2D, name);
    gl.GenerateMipmap(GL_TEXTURE_2D);
}

void GLTexture2D::SetData(int level, const void* data, bool generateMipmaps) {
    if (format == PixelFormatFloatR16G16B16A16)
        throw Exception(Messages::Texture2DSetDataFloat16, ErrorGeneral);
    if (renderable)
        throw Exception(Messages::SetDataRenderable, ErrorInvalidState);
    if (level < 0 || level >= MipLevelCount(width, height))
        throw Exception(Messages::InvalidLevel, ErrorInvalidArgument);
    device->MakeCurrent();
    const GLFunctions& gl = device->GL();
    {
        GLTextureBinding binding(gl, record->Target, name);
        int w = width >> level, h = height >> level;
        Allocate(gl, record->Target, *record, format, level, w < 1 ? 1 : w, h < 1 ? 1 : h, data);
        ++device->Statistics().TextureUploads;
    }
    if (generateMipmaps)
        GenerateMipmaps();
    GLTextureBinding binding(gl, record->Target, name);
    SetLinearFiltering(gl, record->Target);
}

Surface* GLTexture2D::GetSurface(int level) {
    if (format == PixelFormatLuminance8)
        throw Exception(Messages::Luminance8Surface, ErrorGeneral);
    if (level < 0 || level >= 16 || level >= MipLevelCount(width, height))
        throw Exception(Messages::InvalidLevel, ErrorInvalidArgument);
    if (!surfaces[level])
        surfaces[level] = GLSurface::ForTextureLevel(device.Get(), this, name, level, width >> level, height >> level,
                                                     format, renderable);
    return surfaces[level];
}

} // namespace Gralith::Graphics
