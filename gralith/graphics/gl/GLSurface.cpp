#include "gralith/graphics/gl/GLSurface.h"

#include "gralith/Exception.h"
#include "gralith/graphics/Messages.h"
#include "gralith/graphics/gl/GLDevice.h"
#include "gralith/graphics/gl/GLFunctions.h"
#include "gralith/graphics/gl/GLMappings.h"

#include <GL/gl.h>
#include <GL/glext.h>

namespace Gralith::Graphics {

GLSurface::GLSurface(GLDevice* device, GLSurfaceKind kind, int width, int height, PixelFormat format, bool renderable)
    : device(device), deviceReference(kind == GLSurfaceBackBuffer ? nullptr : device), kind(kind),
      width(width < 1 ? 1 : width), height(height < 1 ? 1 : height), format(format), renderable(renderable) {}

GLSurface* GLSurface::ForTextureLevel(GLDevice* device, Texture* owner, unsigned int texture, int level, int width,
                                      int height, PixelFormat format, bool renderable) {
    GLSurface* surface = new GLSurface(device, GLSurfaceTextureLevel, width, height, format, renderable);
    surface->owner = owner;
    surface->texture = texture;
    surface->level = level;
    return surface;
}

GLSurface* GLSurface::ForCubeFaceLevel(GLDevice* device, Texture* owner, unsigned int texture, CubeFace face, int level,
                                       int width, int height, PixelFormat format, bool renderable) {
    GLSurface* surface = new GLSurface(device, GLSurfaceCubeFaceLevel, width, height, format, renderable);
    surface->owner = owner;
    surface->texture = texture;
    surface->face = face;
    surface->level = level;
    return surface;
}

GLSurface* GLSurface::CreateRenderbuffer(GLDevice* device, int width, int height, PixelFormat format, int samples) {
    if (samples > device->GetMaxSamples())
        throw Exception(Messages::SurfaceMultisamples, ErrorUnsupported);
    unsigned int internalFormat;
    switch (format) {
    case PixelFormatR8G8B8A8: internalFormat = GL_RGBA8; break;
    case PixelFormatFloatR16G16B16A16: internalFormat = GL_RGBA16F; break;
    case PixelFormatFloatR32G32B32A32: internalFormat = GL_RGBA32F; break;
    case PixelFormatDepth16: internalFormat = GL_DEPTH_COMPONENT16; break;
    // Packed, so that depth and stencil live in one buffer that attaches to both points.
    case PixelFormatDepth24Stencil8: internalFormat = GL_DEPTH24_STENCIL8; break;
    default: throw Exception(Messages::UnsupportedSurfaceFormat, ErrorUnsupported);
    }
    device->MakeCurrent();
    const GLFunctions& gl = device->GL();
    GLSurface* surface = new GLSurface(device, GLSurfaceRenderbuffer, width, height, format, true);
    surface->samples = samples > 0 ? samples : 0;
    device->ClearErrors();
    gl.GenRenderbuffers(1, &surface->renderbuffer);
    gl.BindRenderbuffer(GL_RENDERBUFFER, surface->renderbuffer);
    gl.RenderbufferStorageMultisample(GL_RENDERBUFFER, surface->samples, internalFormat, surface->width,
                                      surface->height);
    gl.BindRenderbuffer(GL_RENDERBUFFER, 0);
    if (device->TakeError() != GL_NO_ERROR) {
        surface->Release();
        throw Exception(Messages::SurfaceCreation, ErrorGeneral);
    }
    return surface;
}

GLSurface* GLSurface::ForBackBuffer(GLDevice* device, int width, int height) {
    return new GLSurface(device, GLSurfaceBackBuffer, width, height, PixelFormatR8G8B8A8, true);
}

GLSurface::~GLSurface() {
    if (renderbuffer) {
        device->MakeCurrent();
        device->GL().DeleteRenderbuffers(1, &renderbuffer);
    }
}

bool GLSurface::IsDepthStencil() const { return format == PixelFormatDepth24Stencil8 || format == PixelFormatDepth16; }

void GLSurface::AttachTo(unsigned int target, unsigned int attachment) const {
    const GLFunctions& gl = device->GL();
    bool withStencil = attachment == GL_DEPTH_ATTACHMENT && format == PixelFormatDepth24Stencil8;
    switch (kind) {
    case GLSurfaceTextureLevel:
        gl.FramebufferTexture2D(target, attachment, GL_TEXTURE_2D, texture, level);
        if (withStencil)
            gl.FramebufferTexture2D(target, GL_STENCIL_ATTACHMENT, GL_TEXTURE_2D, texture, level);
        break;
    case GLSurfaceCubeFaceLevel:
        gl.FramebufferTexture2D(target, attachment, GLCubeFace(face), texture, level);
        if (withStencil)
            gl.FramebufferTexture2D(target, GL_STENCIL_ATTACHMENT, GLCubeFace(face), texture, level);
        break;
    case GLSurfaceRenderbuffer:
        gl.FramebufferRenderbuffer(target, attachment, GL_RENDERBUFFER, renderbuffer);
        if (withStencil)
            gl.FramebufferRenderbuffer(target, GL_STENCIL_ATTACHMENT, GL_RENDERBUFFER, renderbuffer);
        break;
    default: break;
    }
}

namespace {

unsigned int BufferClass(PixelFormat format) {
    if (format >= PixelFormatR8G8B8A8 && format <= PixelFormatLuminance8)
        return GL_COLOR_BUFFER_BIT;
    if (format == PixelFormatDepth24Stencil8)
        return GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT;
    if (format == PixelFormatDepth16)
        return GL_DEPTH_BUFFER_BIT;
    throw Exception(Messages::CopyPixelFormat, ErrorInvalidArgument);
}

void CheckCopyKind(const GLSurface* surface) {
    if (surface->GetKind() == GLSurfaceVolumeSlice)
        throw Exception(Messages::CopyVolumeSurface, ErrorUnsupported);
    if (surface->GetKind() > GLSurfaceBackBuffer)
        throw Exception(Messages::CopyInvalidSurface, ErrorGeneral);
}

// Binds the framebuffer that shows surface at target: the window's for the back buffer, else
// the given copy framebuffer with the surface attached.
void BindForCopy(GLDevice* device, const GLSurface* surface, unsigned int target, unsigned int framebuffer,
                 unsigned int mask) {
    const GLFunctions& gl = device->GL();
    if (surface->GetKind() == GLSurfaceBackBuffer) {
        gl.BindFramebuffer(target, device->GetWindowFramebuffer());
        return;
    }
    gl.BindFramebuffer(target, framebuffer);
    if (mask & GL_COLOR_BUFFER_BIT) {
        surface->AttachTo(target, GL_COLOR_ATTACHMENT0);
    } else {
        surface->AttachTo(target, GL_DEPTH_ATTACHMENT);
    }
}

void DetachAll(const GLFunctions& gl, unsigned int target) {
    gl.FramebufferRenderbuffer(target, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, 0);
    gl.FramebufferRenderbuffer(target, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, 0);
    gl.FramebufferRenderbuffer(target, GL_STENCIL_ATTACHMENT, GL_RENDERBUFFER, 0);
}

} // namespace

void GLSurface::Copy(Surface* source, int srcX, int srcY, int srcWidth, int srcHeight, int dstX, int dstY, int dstWidth,
                     int dstHeight, FilterMode filter) {
    GLSurface* from = dynamic_cast<GLSurface*>(source);
    if (!from)
        throw Exception(Messages::CopyInvalidSurface, ErrorGeneral);
    if (!renderable || !from->renderable)
        throw Exception(Messages::CopyNotRenderable, ErrorGeneral);
    if (filter != FilterPoint && filter != FilterLinear)
        throw Exception(Messages::CopyInvalidFilter, ErrorInvalidArgument);
    unsigned int sourceClass = BufferClass(from->format);
    unsigned int destinationClass = BufferClass(format);
    CheckCopyKind(from);
    CheckCopyKind(this);
    if (sourceClass != destinationClass)
        throw Exception(Messages::CopyIncompatible, ErrorRefused);

    device->MakeCurrent();
    const GLFunctions& gl = device->GL();
    BindForCopy(device, from, GL_READ_FRAMEBUFFER, device->GetReadFramebuffer(), sourceClass);
    BindForCopy(device, this, GL_DRAW_FRAMEBUFFER, device->GetDrawFramebuffer(), destinationClass);
    // The scissor test clips blits; the rasterizer state is pushed again at the next draw.
    gl.Disable(GL_SCISSOR_TEST);
    device->ForgetAppliedRasterizerState();
    // Depth and stencil can only be copied without filtering.
    unsigned int glFilter = filter == FilterLinear && sourceClass == GL_COLOR_BUFFER_BIT ? GL_LINEAR : GL_NEAREST;
    gl.BlitFramebuffer(srcX, srcY, srcX + srcWidth, srcY + srcHeight, dstX, dstY, dstX + dstWidth, dstY + dstHeight,
                       sourceClass, glFilter);
    if (from->kind != GLSurfaceBackBuffer) {
        gl.BindFramebuffer(GL_READ_FRAMEBUFFER, device->GetReadFramebuffer());
        DetachAll(gl, GL_READ_FRAMEBUFFER);
    }
    if (kind != GLSurfaceBackBuffer) {
        gl.BindFramebuffer(GL_DRAW_FRAMEBUFFER, device->GetDrawFramebuffer());
        DetachAll(gl, GL_DRAW_FRAMEBUFFER);
    }
    device->RestoreFramebuffer();
}

} // namespace Gralith::Graphics
