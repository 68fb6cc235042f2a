#include "gralith/graphics/gl/GLDevice.h"

#include "gralith/Exception.h"
#include "gralith/graphics/Messages.h"
#include "gralith/graphics/SemanticMap.h"
#include "gralith/graphics/gl/GLBlendState.h"
#include "gralith/graphics/gl/GLDepthStencilState.h"
#include "gralith/graphics/gl/GLFunctions.h"
#include "gralith/graphics/gl/GLIndexBuffer.h"
#include "gralith/graphics/gl/GLInputLayout.h"
#include "gralith/graphics/gl/GLMappings.h"
#include "gralith/graphics/gl/GLProgram.h"
#include "gralith/graphics/gl/GLRasterizerState.h"
#include "gralith/graphics/gl/GLSamplerState.h"
#include "gralith/graphics/gl/GLShadingContext.h"
#include "gralith/graphics/gl/GLSurface.h"
#include "gralith/graphics/gl/GLTexture2D.h"
#include "gralith/graphics/gl/GLTextureCube.h"
#include "gralith/graphics/gl/GLVertexBuffer.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <cstdint>

namespace Gralith::Graphics {

namespace {

// The device whose context is current on this (the only) thread.
GLDevice* currentDevice = nullptr;

GLShadingContext* Shading(GLShadingContext* context) {
    if (!context)
        throw Exception(Messages::NoShadingContext, ErrorGeneral);
    return context;
}

} // namespace

GLDevice::GLDevice() : functions(std::make_unique<GLFunctions>()), gl(*functions) {}

GLDevice::~GLDevice() {
    if (currentDevice == this)
        currentDevice = nullptr;
}

void GLDevice::MakeCurrent() {
    if (currentDevice != this) {
        MakeContextCurrent();
        currentDevice = this;
    }
}

void GLDevice::DepthStencilBits(DepthStencilFormat format, int& depthBits, int& stencilBits) {
    switch (format) {
    case Depth16:
        depthBits = 16;
        stencilBits = 0;
        return;
    case Depth24Stencil8:
        depthBits = 24;
        stencilBits = 8;
        return;
    case Depth32Float:
    case DepthStencilFormatReserved: throw Exception(Messages::UnsupportedDepthFormat, ErrorUnsupported);
    default: throw Exception(Messages::InvalidDepthStencilFormat, ErrorInvalidArgument);
    }
}

void GLDevice::InitializeGL(GLLoader loader, int backBufferWidth, int backBufferHeight) {
    currentDevice = this;
    if (!gl.Load(loader))
        throw Exception(Messages::ExtensionLoadFailure, ErrorUnsupported);
    gl.GenFramebuffers(1, &renderTargetFramebuffer);
    gl.GenFramebuffers(1, &readFramebuffer);
    gl.GenFramebuffers(1, &drawFramebuffer);
    gl.GetIntegerv(GL_MAX_SAMPLES, &maxSamples);
    // Rows of every upload and read-back are tightly packed.
    gl.PixelStorei(GL_UNPACK_ALIGNMENT, 1);
    gl.PixelStorei(GL_PACK_ALIGNMENT, 1);
    backBuffer = GLSurface::ForBackBuffer(this, backBufferWidth, backBufferHeight);
    initialized = true;
    gl.BindFramebuffer(GL_FRAMEBUFFER, GetWindowFramebuffer());
    SetViewport(0, 0, backBufferWidth, backBufferHeight);
    SetScissorRect(0, 0, backBufferWidth, backBufferHeight);
}

void GLDevice::FinishCreation(GLShadingContext* (*createShading)(GLDevice*)) {
    if (createShading)
        SetShadingContext(createShading(this));
    SetUpDefaultState();
    SetRenderTargets(0, nullptr, nullptr);
}

void GLDevice::ShutdownGL() {
    if (!initialized)
        return;
    MakeCurrent();
    ReleaseDefaultState();
    if (shadingContext) {
        shadingContext->Release();
        shadingContext = nullptr;
    }
    backBuffer->Release();
    backBuffer = nullptr;
    unsigned int framebuffers[] = {renderTargetFramebuffer, readFramebuffer, drawFramebuffer};
    gl.DeleteFramebuffers(3, framebuffers);
    initialized = false;
}

void GLDevice::ClearErrors() const { TakeError(); }

unsigned int GLDevice::TakeError() const {
    unsigned int first = gl.GetError();
    // Each flag clears as it is read; the bound only guards against a lost context.
    for (int i = 0; i < 8 && first != GL_NO_ERROR && gl.GetError() != GL_NO_ERROR; ++i) {
    }
    return first;
}

void GLDevice::SetShadingContext(GLShadingContext* context) {
    if (shadingContext)
        shadingContext->Release();
    shadingContext = context;
    if (initialized)
        SetUpDefaultSemanticMap();
}

void GLDevice::Clear(int flags, float red, float green, float blue, float alpha, float depth, int stencil) {
    MakeCurrent();
    unsigned int mask = GLClearMask(flags);
    // A clear honours the write masks; open those the last applied states closed and push the
    // states again at the next draw, so a clear always clears what its flags name.
    if (mask & GL_COLOR_BUFFER_BIT) {
        auto* blend = static_cast<GLBlendState*>(appliedBlendState);
        if (!blend || !(blend->GetDesc().WriteRed && blend->GetDesc().WriteGreen && blend->GetDesc().WriteBlue &&
                        blend->GetDesc().WriteAlpha)) {
            gl.ColorMask(1, 1, 1, 1);
            ForgetApplied(appliedBlendState);
        }
    }
    auto* depthStencil = static_cast<GLDepthStencilState*>(appliedDepthStencilState);
    if ((mask & GL_DEPTH_BUFFER_BIT) && (!depthStencil || !depthStencil->GetDesc().DepthWriteEnabled)) {
        gl.DepthMask(1);
        ForgetApplied(appliedDepthStencilState);
    }
    if (mask & GL_STENCIL_BUFFER_BIT) {
        // A state with the stencil test off leaves the last write mask in GL: always open it.
        gl.StencilMask(0xFFFFFFFFu);
        if (depthStencil && depthStencil->GetDesc().StencilEnabled &&
            depthStencil->GetDesc().StencilWriteMask != 0xFFFFFFFFu)
            ForgetApplied(appliedDepthStencilState);
    }
    gl.ClearColor(red, green, blue, alpha);
    gl.ClearStencil(stencil);
    gl.ClearDepth(depth);
    gl.Clear(mask);
    ++statistics.Clears;
}

void GLDevice::Flush() {
    MakeCurrent();
    gl.Flush();
}

bool GLDevice::HasCapability(int value) const {
    return shadingContext ? shadingContext->HasCapability(value) : value == 1;
}

Surface* GLDevice::GetBackBuffer() { return backBuffer; }

VertexBuffer* GLDevice::CreateVertexBuffer(BufferMode mode, int size, int stride) {
    return new GLVertexBuffer(this, mode, size, stride);
}

IndexBuffer* GLDevice::CreateIndexBuffer(BufferMode mode, int size, IndexType type) {
    return new GLIndexBuffer(this, mode, size, type);
}

Surface* GLDevice::CreateSurface(int width, int height, PixelFormat format, int multisamples) {
    return GLSurface::CreateRenderbuffer(this, width, height, format, multisamples);
}

Texture2D* GLDevice::CreateTexture2D(int width, int height, PixelFormat format, bool renderable) {
    return new GLTexture2D(this, width, height, format, renderable);
}

Texture3D* GLDevice::CreateTexture3D(int, int, int, PixelFormat, bool) {
    throw Exception(Messages::No3DTextures, ErrorUnsupported);
}

TextureCube* GLDevice::CreateTextureCube(int size, PixelFormat format, bool renderable) {
    return new GLTextureCube(this, size, format, renderable);
}

Shader* GLDevice::CreateShader(ShaderType type, int sourceFormat, const char* entryPoint, int reserved,
                               const char* source) {
    MakeCurrent();
    return Shading(shadingContext)->CreateShader(type, sourceFormat, entryPoint, reserved, source);
}

Program* GLDevice::CreateProgram(Shader* vertexShader, Shader* pixelShader, Shader* geometryShader) {
    MakeCurrent();
    return Shading(shadingContext)->CreateProgram(vertexShader, pixelShader, geometryShader);
}

Program* GLDevice::CreateProgram(Shader* vertexShader, Shader* pixelShader) {
    MakeCurrent();
    return Shading(shadingContext)->CreateProgram(vertexShader, pixelShader);
}

BlendState* GLDevice::CreateBlendState(const BlendStateDesc& desc) { return new GLBlendState(desc); }

DepthStencilState* GLDevice::CreateDepthStencilState(const DepthStencilStateDesc& desc) {
    return new GLDepthStencilState(desc);
}

RasterizerState* GLDevice::CreateRasterizerState(const RasterizerStateDesc& desc) {
    return new GLRasterizerState(desc);
}

InputLayout* GLDevice::CreateInputLayout(const InputElementDesc* elements, int count) {
    return new GLInputLayout(elements, count);
}

SemanticMap* GLDevice::CreateSemanticMap(const char* const* names) {
    return Shading(shadingContext)->CreateSemanticMap(names);
}

SamplerState* GLDevice::CreateSamplerState(const SamplerStateDesc& desc) { return new GLSamplerState(desc); }

void GLDevice::SetPrimitiveType(PrimitiveType type) {
    unsigned int mode = GLPrimitiveType(type);
    DeviceImpl::SetPrimitiveType(type);
    glPrimitiveType = mode;
}

void GLDevice::SetProgram(Program* program) {
    DeviceImpl::SetProgram(program);
    if (program && program->GetSerial() != appliedProgram) {
        MakeCurrent();
        static_cast<GLProgram*>(program)->Bind();
        appliedProgram = program->GetSerial();
        ++statistics.ProgramApplies;
    }
}

RenderTargetStatus GLDevice::CheckRenderTargets() {
    if (colorTargetCount == 0 && !depthStencilTarget)
        return RenderTargetsComplete;
    MakeCurrent();
    gl.BindFramebuffer(GL_FRAMEBUFFER, renderTargetFramebuffer);
    unsigned int status = gl.CheckFramebufferStatus(GL_FRAMEBUFFER);
    if (status == GL_FRAMEBUFFER_COMPLETE)
        return RenderTargetsComplete;
    return status == GL_FRAMEBUFFER_UNSUPPORTED ? RenderTargetsUnsupported : RenderTargetsIncomplete;
}

void GLDevice::CheckDraw(bool indexed) {
    if (indexed && !indexBuffer)
        throw Exception(Messages::NoIndexBuffer, ErrorInvalidState);
}

void GLDevice::ApplyBlendState(BlendState* state) { static_cast<GLBlendState*>(state)->Apply(gl); }

void GLDevice::ApplyDepthStencilState(DepthStencilState* state) { static_cast<GLDepthStencilState*>(state)->Apply(gl); }

void GLDevice::ApplyRasterizerState(RasterizerState* state) { static_cast<GLRasterizerState*>(state)->Apply(gl); }

void GLDevice::BindProgram(Program* program) { static_cast<GLProgram*>(program)->Bind(); }

void GLDevice::DisableAppliedInputLayout() {
    if (!appliedInputLayout)
        return;
    shadingContext->SetSemanticMap(appliedSemanticMap);
    for (const InputElementDesc& e : static_cast<GLInputLayout*>(appliedInputLayout)->Elements())
        shadingContext->DisableAttribute(e.Semantic);
    ForgetApplied(appliedInputLayout);
    ForgetApplied(appliedSemanticMap);
}

void GLDevice::ApplyInputLayout(InputLayout* layout, SemanticMap* map) {
    GLShadingContext* shading = Shading(shadingContext);
    const auto& elements = static_cast<GLInputLayout*>(layout)->Elements();
    DisableAppliedInputLayout();
    shading->SetSemanticMap(map);
    size_t enabled = 0;
    try {
        for (; enabled < elements.size(); ++enabled) {
            const InputElementDesc& e = elements[enabled];
            auto* buffer = static_cast<GLVertexBuffer*>(vertexBuffers[e.Stream]);
            gl.BindBuffer(GL_ARRAY_BUFFER, buffer->GetName());
            shading->EnableAttribute(e.Semantic, e.ComponentCount, GLDataType(e.Type), buffer->GetStride(),
                                     (e.Normalized & 0xFF) != 0, e.Offset);
        }
    } catch (...) {
        for (size_t i = 0; i < enabled; ++i)
            shading->DisableAttribute(elements[i].Semantic);
        throw;
    }
}

void GLDevice::IssueDraw(int firstVertex, int vertexCount) { gl.DrawArrays(glPrimitiveType, firstVertex, vertexCount); }

void GLDevice::IssueDrawIndexed(int firstIndex, int indexCount, int, int) {
    auto* buffer = static_cast<GLIndexBuffer*>(indexBuffer);
    unsigned int type = buffer->GetGLIndexType();
    std::intptr_t size;
    if (type == GL_UNSIGNED_SHORT)
        size = 2;
    else if (type == GL_UNSIGNED_INT)
        size = 4;
    else
        throw Exception(Messages::InvalidIndexType, ErrorInvalidArgument);
    gl.BindBuffer(GL_ELEMENT_ARRAY_BUFFER, buffer->GetName());
    gl.DrawElements(glPrimitiveType, indexCount, type, reinterpret_cast<const void*>(firstIndex * size));
}

std::uint32_t GLDevice::LargestIndex(int firstIndex, int indexCount) {
    return static_cast<GLIndexBuffer*>(indexBuffer)->LargestIndex(firstIndex, indexCount);
}

void GLDevice::BindRenderTargets(int count, Surface* const* colors, Surface* depthStencil) {
    MakeCurrent();
    if (count == 0 && !depthStencil) {
        gl.BindFramebuffer(GL_FRAMEBUFFER, GetWindowFramebuffer());
        renderTargetsOffscreen = false;
        return;
    }
    for (int i = 0; i < count; ++i) {
        auto* surface = dynamic_cast<GLSurface*>(colors[i]);
        if (!surface)
            throw Exception(Messages::InvalidColorTarget, ErrorInvalidState);
        switch (surface->GetKind()) {
        case GLSurfaceTextureLevel:
        case GLSurfaceCubeFaceLevel:
        case GLSurfaceRenderbuffer: break;
        case GLSurfaceVolumeSlice: throw Exception(Messages::VolumeSliceColorTarget, ErrorUnsupported);
        case GLSurfaceBackBuffer: throw Exception(Messages::BackBufferNotAlone, ErrorUnsupported);
        default: throw Exception(Messages::InvalidColorTarget, ErrorInvalidState);
        }
    }
    auto* depth = dynamic_cast<GLSurface*>(depthStencil);
    if (depthStencil) {
        if (depth && depth->GetKind() == GLSurfaceVolumeSlice)
            throw Exception(Messages::VolumeSliceDepthTarget, ErrorUnsupported);
        if (!depth || depth->GetKind() > GLSurfaceRenderbuffer)
            throw Exception(Messages::InvalidDepthStencilTarget, ErrorUnsupported);
    }

    gl.BindFramebuffer(GL_FRAMEBUFFER, renderTargetFramebuffer);
    for (int i = 0; i < count; ++i)
        static_cast<GLSurface*>(colors[i])->AttachTo(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0 + i);
    for (int i = count; i < attachedColorCount; ++i)
        gl.FramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0 + i, GL_RENDERBUFFER, 0);
    attachedColorCount = count;
    if (depth)
        depth->AttachTo(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT);
    else
        gl.FramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, 0);
    if (!depth || depth->GetPixelFormat() != PixelFormatDepth24Stencil8)
        gl.FramebufferRenderbuffer(GL_FRAMEBUFFER, GL_STENCIL_ATTACHMENT, GL_RENDERBUFFER, 0);
    // Every bound colour target is drawn to (several at once for multiple render targets).
    if (count == 0) {
        gl.DrawBuffer(GL_NONE);
        gl.ReadBuffer(GL_NONE);
    } else {
        unsigned int buffers[SlotLimit];
        for (int i = 0; i < count; ++i)
            buffers[i] = GL_COLOR_ATTACHMENT0 + i;
        gl.DrawBuffers(count, buffers);
        gl.ReadBuffer(GL_COLOR_ATTACHMENT0);
    }
    renderTargetsOffscreen = true;
}

void GLDevice::ForgetAppliedRasterizerState() { ForgetApplied(appliedRasterizerState); }

void GLDevice::RestoreFramebuffer() {
    gl.BindFramebuffer(GL_FRAMEBUFFER, renderTargetsOffscreen ? renderTargetFramebuffer : GetWindowFramebuffer());
}

void GLDevice::ApplyViewport() {
    MakeCurrent();
    gl.Viewport(viewport.X, viewport.Y, viewport.Width, viewport.Height);
}

void GLDevice::ApplyScissorRect() {
    MakeCurrent();
    gl.Scissor(scissor.X, scissor.Y, scissor.Width, scissor.Height);
}

void GLDevice::ReadSurface(Surface* surface, int x, int y, int width, int height, void* rgba) {
    auto* glSurface = dynamic_cast<GLSurface*>(surface);
    if (!glSurface || glSurface->IsDepthStencil() || glSurface->GetKind() == GLSurfaceVolumeSlice)
        throw Exception(Messages::ReadNonColorSurface, ErrorInvalidState);
    MakeCurrent();
    unsigned int source = GetWindowFramebuffer();
    int samples = GetWindowSamples();
    if (glSurface->GetKind() != GLSurfaceBackBuffer) {
        source = readFramebuffer;
        samples = glSurface->GetSamples();
        gl.BindFramebuffer(GL_READ_FRAMEBUFFER, readFramebuffer);
        glSurface->AttachTo(GL_READ_FRAMEBUFFER, GL_COLOR_ATTACHMENT0);
    }
    unsigned int resolveFramebuffer = 0, resolveRenderbuffer = 0;
    if (samples > 0) {
        // Multisampled pixels cannot be read directly: resolve into a single-sampled buffer.
        gl.GenRenderbuffers(1, &resolveRenderbuffer);
        gl.BindRenderbuffer(GL_RENDERBUFFER, resolveRenderbuffer);
        gl.RenderbufferStorageMultisample(GL_RENDERBUFFER, 0, GL_RGBA8, width, height);
        gl.GenFramebuffers(1, &resolveFramebuffer);
        gl.BindFramebuffer(GL_DRAW_FRAMEBUFFER, resolveFramebuffer);
        gl.FramebufferRenderbuffer(GL_DRAW_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, resolveRenderbuffer);
        gl.BindFramebuffer(GL_READ_FRAMEBUFFER, source);
        gl.Disable(GL_SCISSOR_TEST);
        ForgetAppliedRasterizerState();
        gl.BlitFramebuffer(x, y, x + width, y + height, 0, 0, width, height, GL_COLOR_BUFFER_BIT, GL_NEAREST);
        source = resolveFramebuffer;
        x = 0;
        y = 0;
    }
    gl.BindFramebuffer(GL_READ_FRAMEBUFFER, source);
    gl.ReadBuffer(source == 0 ? GL_BACK : GL_COLOR_ATTACHMENT0);
    gl.ReadPixels(x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    if (resolveFramebuffer) {
        gl.DeleteFramebuffers(1, &resolveFramebuffer);
        gl.DeleteRenderbuffers(1, &resolveRenderbuffer);
    }
    if (glSurface->GetKind() != GLSurfaceBackBuffer) {
        gl.BindFramebuffer(GL_READ_FRAMEBUFFER, readFramebuffer);
        gl.FramebufferRenderbuffer(GL_READ_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, 0);
    }
    RestoreFramebuffer();
}

} // namespace Gralith::Graphics
