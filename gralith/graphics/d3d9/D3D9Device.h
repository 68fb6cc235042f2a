#pragma once

#include "gralith/graphics/DeviceImpl.h"

#include <cstdint>

struct IDirect3D9;
struct IDirect3DDevice9;
struct IDirect3DSurface9;

namespace Gralith {
class Window;
class Win32Window;
} // namespace Gralith

namespace Gralith::Graphics {

class D3D9Surface;

/// The Direct3D 9 device on a Win32 window. Shaders are compiled by D3DX, loaded at run time
/// (D3D9Runtime). Images rendered off-screen have their origin at the upper-left and clip-space
/// depth runs from 0 to 1; the transform stack and the render-state holder compensate.
///
/// The device is always inside a scene: the first one begins at creation, and Present ends it,
/// shows the frame and begins the next.
class D3D9Device : public DeviceImpl {
public:
    /// window must be a Win32Window. flags: bit 0 fullscreen (the back buffer takes the window
    /// rectangle's size and the display), bit 1 wait for vertical retrace, bit 2 use an adapter
    /// whose description names "PerfHUD" with the reference device type, where there is one.
    /// Throws the depth-format messages, or with ErrorCreation: the missing DLL, the four
    /// creation failures Direct3D names, or a generic creation message with the system's text;
    /// "Unable to extract default surfaces" (ErrorRefused) when the swap chain's surfaces cannot
    /// be had.
    static D3D9Device* Create(Window* window, DepthStencilFormat depthFormat, int multisamples, int flags);
    ~D3D9Device() override;

    void Clear(int flags, float red, float green, float blue, float alpha, float depth, int stencil) override;
    void Flush() override {}
    /// Ends the scene, presents, begins the next scene; then dispatches the thread's messages.
    /// False on a quit message or when this device's window was asked to close.
    bool Present() override;
    bool HasCapability(int value) const override { return value == 2; }
    bool HasLowerLeftOrigin() const override { return false; }
    bool IsDepthRangeMinusOneToOne() const override { return false; }
    Surface* GetBackBuffer() override;

    VertexBuffer* CreateVertexBuffer(BufferMode mode, int size, int stride) override;
    IndexBuffer* CreateIndexBuffer(BufferMode mode, int size, IndexType type) override;
    /// Depth formats make a depth-stencil surface, the others a render target; both with the
    /// sample count. Throws "Unable to create surface" (ErrorUnsupported).
    Surface* CreateSurface(int width, int height, PixelFormat format, int multisamples) override;
    Texture2D* CreateTexture2D(int width, int height, PixelFormat format, bool renderable) override;
    Texture3D* CreateTexture3D(int width, int height, int depth, PixelFormat format, bool renderable) override;
    TextureCube* CreateTextureCube(int size, PixelFormat format, bool renderable) override;
    /// Compiles with D3DX under the device's best profile for the stage, matrices packed by rows.
    Shader* CreateShader(ShaderType type, int sourceFormat, const char* entryPoint, int reserved,
                         const char* source) override;
    Program* CreateProgram(Shader* vertexShader, Shader* pixelShader, Shader* geometryShader) override;
    Program* CreateProgram(Shader* vertexShader, Shader* pixelShader) override;
    BlendState* CreateBlendState(const BlendStateDesc& desc) override;
    DepthStencilState* CreateDepthStencilState(const DepthStencilStateDesc& desc) override;
    RasterizerState* CreateRasterizerState(const RasterizerStateDesc& desc) override;
    /// Builds the vertex declaration now, with the semantic map that is current.
    InputLayout* CreateInputLayout(const InputElementDesc* elements, int count) override;
    SemanticMap* CreateSemanticMap(const char* const* names) override;
    SamplerState* CreateSamplerState(const SamplerStateDesc& desc) override;

    /// Sets the stream source at once (offset 0, the buffer's stride).
    void SetVertexBuffer(int stream, VertexBuffer* buffer) override;
    /// Sets the indices at once.
    void SetIndexBuffer(IndexBuffer* buffer) override;
    void SetPrimitiveType(PrimitiveType type) override;
    /// Recorded for the next draw; a program other than the one last applied unbinds the
    /// textures of sampler units 0-7 at once, so none of the previous program's stays bound.
    void SetProgram(Program* program) override;
    RenderTargetStatus CheckRenderTargets() override { return RenderTargetsComplete; }

    IDirect3DDevice9* Get() const { return device; }
    /// The adapter in use and whether it runs the reference device type.
    unsigned int GetAdapter() const { return adapter; }
    bool UsesReferenceDevice() const { return referenceDevice; }
    /// Whether the device took over the display.
    bool IsFullscreen() const { return fullscreen; }
    /// Reads a rectangle of a colour surface as 8-bit RGBA, rows from the top down; multisampled
    /// surfaces are resolved first. Throws "ReadSurface(): only colour surfaces can be read"
    /// (ErrorInvalidState) for other surfaces and formats, "ReadSurface(): the surface could not
    /// be read" (ErrorGeneral) when Direct3D refuses.
    void ReadSurface(Surface* surface, int x, int y, int width, int height, void* rgba);

protected:
    void CheckDraw(bool indexed) override;
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

private:
    explicit D3D9Device(Win32Window* window);
    void CreatePlatformDevice(DepthStencilFormat depthFormat, int multisamples, int flags);
    void FetchDefaultSurfaces();

    Win32Window* window;
    void* handle;
    IDirect3DDevice9* device = nullptr;
    unsigned int adapter = 0;
    bool referenceDevice = false;
    bool fullscreen = false;
    // The swap chain's own surfaces, bound again when drawing to the window.
    IDirect3DSurface9* defaultColor = nullptr;
    IDirect3DSurface9* defaultDepth = nullptr;
    D3D9Surface* backBuffer = nullptr;
    // Depth format of the window's depth buffer and of the depth target now bound (0: none);
    // a clear leaves out the buffers the targets lack, which Direct3D would refuse.
    std::uint32_t windowDepthFormat = 0;
    std::uint32_t boundDepthFormat = 0;
    // The primitive type as Direct3D draws it: kind, vertices per primitive and the vertices
    // before the first primitive.
    std::uint32_t primitiveKind = 4; // D3DPT_TRIANGLELIST
    int primitiveDivisor = 3;
    int primitiveOffset = 0;
};

} // namespace Gralith::Graphics
