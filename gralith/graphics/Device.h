#pragma once

#include "gralith/Object.h"
#include "gralith/graphics/Descriptions.h"
#include "gralith/graphics/Enums.h"

namespace Gralith::Graphics {

class Surface;
class VertexBuffer;
class IndexBuffer;
class Texture2D;
class Texture3D;
class TextureCube;
class Shader;
class Program;
class BlendState;
class DepthStencilState;
class RasterizerState;
class SamplerState;
class InputLayout;
class SemanticMap;

/// The one abstract graphics device. State set on it is recorded and applied lazily at the next
/// draw, comparing state objects by identity; the device holds plain pointers to what is bound,
/// so callers keep bound resources alive. Create operations answer a new object carrying one
/// reference for the caller. The order of the operations below is part of the interface.
class Device : public Object {
public:
    /// Called by the device immediately before every draw, before pending state is applied, so
    /// that a listener can still set state.
    class DrawCallListener : public Object {
    public:
        ~DrawCallListener() override = default;
        virtual void OnDrawCall() = 0;
    };

    ~Device() override = default;

    /// Clears the buffers named by flags (ClearFlags bits) of the current render targets.
    virtual void Clear(int flags, float red, float green, float blue, float alpha, float depth, int stencil) = 0;
    virtual void Flush() = 0;
    /// Shows the finished frame, then dispatches pending window messages. False when the
    /// application must stop (quit requested or the window was closed).
    virtual bool Present() = 0;
    virtual bool HasCapability(int value) const = 0;
    /// True when off-screen images come out with the origin at the lower-left (OpenGL).
    virtual bool HasLowerLeftOrigin() const = 0;
    /// True when clip-space depth runs from -1 to 1 (OpenGL), false for 0 to 1.
    virtual bool IsDepthRangeMinusOneToOne() const = 0;
    /// Number of stream, colour-target and listener slots: 16.
    virtual int GetSlotLimit() const = 0;
    /// The window's colour buffer (owned by the device).
    virtual Surface* GetBackBuffer() = 0;

    virtual VertexBuffer* CreateVertexBuffer(BufferMode mode, int size, int stride) = 0;
    virtual IndexBuffer* CreateIndexBuffer(BufferMode mode, int size, IndexType type) = 0;
    /// A stand-alone renderable colour or depth surface.
    virtual Surface* CreateSurface(int width, int height, PixelFormat format, int multisamples) = 0;
    virtual Texture2D* CreateTexture2D(int width, int height, PixelFormat format, bool renderable) = 0;
    virtual Texture3D* CreateTexture3D(int width, int height, int depth, PixelFormat format, bool renderable) = 0;
    virtual TextureCube* CreateTextureCube(int size, PixelFormat format, bool renderable) = 0;
    /// Compiles zero-terminated source text (format 0) with the named entry point; reserved is
    /// ignored (callers pass 0).
    virtual Shader* CreateShader(ShaderType type, int sourceFormat, const char* entryPoint, int reserved,
                                 const char* source) = 0;
    /// Refused when a geometry shader is given: no backend supports them.
    virtual Program* CreateProgram(Shader* vertexShader, Shader* pixelShader, Shader* geometryShader) = 0;
    virtual Program* CreateProgram(Shader* vertexShader, Shader* pixelShader) = 0;
    virtual BlendState* CreateBlendState(const BlendStateDesc& desc) = 0;
    virtual DepthStencilState* CreateDepthStencilState(const DepthStencilStateDesc& desc) = 0;
    virtual RasterizerState* CreateRasterizerState(const RasterizerStateDesc& desc) = 0;
    /// At most 16 elements.
    virtual InputLayout* CreateInputLayout(const InputElementDesc* elements, int count) = 0;
    /// names: 16 semantic names, null for an unused slot.
    virtual SemanticMap* CreateSemanticMap(const char* const* names) = 0;
    virtual SamplerState* CreateSamplerState(const SamplerStateDesc& desc) = 0;

    virtual void SetViewport(int x, int y, int width, int height) = 0;
    /// Used while the rasterizer state enables the scissor test.
    virtual void SetScissorRect(int x, int y, int width, int height) = 0;
    virtual void SetBlendState(BlendState* state) = 0;
    virtual void SetDepthStencilState(DepthStencilState* state) = 0;
    virtual void SetRasterizerState(RasterizerState* state) = 0;
    virtual void SetInputLayout(InputLayout* layout) = 0;
    virtual void SetSemanticMap(SemanticMap* map) = 0;
    /// The stream's stride is the buffer's stride.
    virtual void SetVertexBuffer(int stream, VertexBuffer* buffer) = 0;
    virtual void SetIndexBuffer(IndexBuffer* buffer) = 0;
    /// Validated at once.
    virtual void SetPrimitiveType(PrimitiveType type) = 0;
    virtual void SetProgram(Program* program) = 0;
    /// Binds count colour surfaces and a depth-stencil surface (may be null). One colour target
    /// that is the back buffer selects the window with its own depth buffer. The viewport is
    /// reset to the full size of the (last) bound colour target.
    virtual void SetRenderTargets(int count, Surface* const* colors, Surface* depthStencil) = 0;

    virtual Rect GetViewport() const = 0;
    virtual Rect GetScissorRect() const = 0;
    virtual BlendState* GetBlendState() const = 0;
    virtual DepthStencilState* GetDepthStencilState() const = 0;
    virtual RasterizerState* GetRasterizerState() const = 0;
    virtual InputLayout* GetInputLayout() const = 0;
    virtual SemanticMap* GetSemanticMap() const = 0;
    virtual VertexBuffer* GetVertexBuffer(int stream) const = 0;
    virtual IndexBuffer* GetIndexBuffer() const = 0;
    virtual PrimitiveType GetPrimitiveType() const = 0;
    virtual Program* GetProgram() const = 0;
    virtual Surface* GetColorTarget(int index) const = 0;
    /// Number of colour targets bound off-screen; 0 while drawing to the window.
    virtual int GetColorTargetCount() const = 0;
    virtual Surface* GetDepthStencilTarget() const = 0;
    virtual RenderTargetStatus CheckRenderTargets() = 0;

    virtual void DrawUnindexed(int firstVertex, int vertexCount) = 0;
    /// lowestVertex and highestVertex are range hints some backends use.
    virtual void DrawIndexed(int firstIndex, int indexCount, int lowestVertex, int highestVertex) = 0;

    /// Appends a listener (not counted; it must stay alive while registered) and answers its
    /// position. At most 16.
    virtual int AddDrawCallListener(DrawCallListener* listener) = 0;
    /// Removes the first entry equal to listener, keeping the order of the rest.
    virtual void RemoveDrawCallListener(DrawCallListener* listener) = 0;
};

} // namespace Gralith::Graphics
