#pragma once

#include "gralith/graphics/DeviceImpl.h"

#include <memory>

namespace Gralith::Graphics {

class GLShadingContext;
class GLSurface;
struct GLFunctions;

/// Answers the address of a GL entry point by name, or null.
using GLLoader = void* (*)(const char* name);

/// The OpenGL 2.0 device. Everything but context creation, swapping, fullscreen switching and
/// the message pump is portable GL, reached through entry points loaded by name; the window
/// system subclasses (EGLGLDevice, SDLGLDevice) supply those.
class GLDevice : public DeviceImpl {
public:
    ~GLDevice() override;

    void Clear(int flags, float red, float green, float blue, float alpha, float depth, int stencil) override;
    void Flush() override;
    bool HasCapability(int value) const override;
    bool HasLowerLeftOrigin() const override { return true; }
    bool IsDepthRangeMinusOneToOne() const override { return true; }
    Surface* GetBackBuffer() override;

    VertexBuffer* CreateVertexBuffer(BufferMode mode, int size, int stride) override;
    IndexBuffer* CreateIndexBuffer(BufferMode mode, int size, IndexType type) override;
    Surface* CreateSurface(int width, int height, PixelFormat format, int multisamples) override;
    Texture2D* CreateTexture2D(int width, int height, PixelFormat format, bool renderable) override;
    Texture3D* CreateTexture3D(int width, int height, int depth, PixelFormat format, bool renderable) override;
    TextureCube* CreateTextureCube(int size, PixelFormat format, bool renderable) override;
    Shader* CreateShader(ShaderType type, int sourceFormat, const char* entryPoint, int reserved,
                         const char* source) override;
    Program* CreateProgram(Shader* vertexShader, Shader* pixelShader, Shader* geometryShader) override;
    Program* CreateProgram(Shader* vertexShader, Shader* pixelShader) override;
    BlendState* CreateBlendState(const BlendStateDesc& desc) override;
    DepthStencilState* CreateDepthStencilState(const DepthStencilStateDesc& desc) override;
    RasterizerState* CreateRasterizerState(const RasterizerStateDesc& desc) override;
    InputLayout* CreateInputLayout(const InputElementDesc* elements, int count) override;
    SemanticMap* CreateSemanticMap(const char* const* names) override;
    SamplerState* CreateSamplerState(const SamplerStateDesc& desc) override;

    void SetPrimitiveType(PrimitiveType type) override;
    void SetProgram(Program* program) override;
    RenderTargetStatus CheckRenderTargets() override;

    /// Makes this device's context current when another device's is (recorded process-wide).
    virtual void MakeCurrent();

    /// The loaded entry points; valid while the device lives.
    const GLFunctions& GL() const { return gl; }
    /// Drops the GL errors earlier calls left, so that TakeError after an allocation sees only
    /// what the allocation raised.
    void ClearErrors() const;
    /// The first GL error since ClearErrors (0 for none); any later ones are dropped too.
    unsigned int TakeError() const;
    /// Takes over the caller's reference to the shading layer.
    void SetShadingContext(GLShadingContext* context);
    GLShadingContext* GetShadingContext() const { return shadingContext; }
    /// The implementation's GL_MAX_SAMPLES.
    int GetMaxSamples() const { return maxSamples; }
    /// The framebuffer that stands for the window (0, or the off-screen one of a headless device).
    virtual unsigned int GetWindowFramebuffer() const { return 0; }
    /// Samples per pixel of the window's colour buffer.
    virtual int GetWindowSamples() const { return 0; }
    /// Framebuffer objects used for surface copies.
    unsigned int GetReadFramebuffer() const { return readFramebuffer; }
    unsigned int GetDrawFramebuffer() const { return drawFramebuffer; }
    /// Binds the framebuffer of the current render targets again (after a copy used others).
    void RestoreFramebuffer();
    /// Makes the next draw push the rasterizer state again (after GL state was changed behind it).
    void ForgetAppliedRasterizerState();
    /// Reads a rectangle of a renderable colour surface as 8-bit RGBA, rows bottom-up as GL
    /// stores them; multisampled surfaces are resolved first.
    void ReadSurface(Surface* surface, int x, int y, int width, int height, void* rgba);

protected:
    GLDevice();

    /// Loads the entry points (throws when any is missing) and creates the device's GL objects
    /// and back buffer; called by the subclass once its context is current.
    void InitializeGL(GLLoader loader, int backBufferWidth, int backBufferHeight);
    /// The last step of creation, once the back buffer exists: installs the shading layer that
    /// createShading makes (null: none yet), sets up the default state when a shading layer is
    /// there, and targets the back buffer.
    void FinishCreation(GLShadingContext* (*createShading)(GLDevice*));
    /// Deletes the device's GL objects; the subclass calls it while the context is still current.
    void ShutdownGL();
    /// Makes the platform context current.
    virtual void MakeContextCurrent() = 0;
    /// Depth and stencil bits of a window depth format; throws "Depth buffer format not
    /// supported" (ErrorUnsupported) or "DepthStencilFromat not recognized" (ErrorInvalidArgument).
    static void DepthStencilBits(DepthStencilFormat format, int& depthBits, int& stencilBits);

    bool HasShading() const override { return shadingContext != nullptr; }
    void CheckDraw(bool indexed) override;
    void BeginApplyingState() override { MakeCurrent(); }
    void ApplyBlendState(BlendState* state) override;
    void ApplyDepthStencilState(DepthStencilState* state) override;
    void ApplyRasterizerState(RasterizerState* state) override;
    void ApplyInputLayout(InputLayout* layout, SemanticMap* map) override;
    void BindProgram(Program* program) override;
    void IssueDraw(int firstVertex, int vertexCount) override;
    void IssueDrawIndexed(int firstIndex, int indexCount, int lowestVertex, int highestVertex) override;
    std::uint32_t LargestIndex(int firstIndex, int indexCount) override;
    void BindRenderTargets(int count, Surface* const* colors, Surface* depthStencil) override;
    void ApplyViewport() override;
    void ApplyScissorRect() override;

    // Behind a pointer, so that the public header needs no GL declarations.
    const std::unique_ptr<GLFunctions> functions;
    GLFunctions& gl;

private:
    void DisableAppliedInputLayout();

    GLShadingContext* shadingContext = nullptr;
    GLSurface* backBuffer = nullptr;
    unsigned int renderTargetFramebuffer = 0;
    unsigned int readFramebuffer = 0;
    unsigned int drawFramebuffer = 0;
    unsigned int glPrimitiveType = 0x0004; // GL_TRIANGLES
    int attachedColorCount = 0;
    int maxSamples = 0;
    bool renderTargetsOffscreen = false;
    bool initialized = false;
};

} // namespace Gralith::Graphics
