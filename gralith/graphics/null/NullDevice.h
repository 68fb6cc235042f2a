#pragma once

#include "gralith/graphics/DeviceImpl.h"
#include "gralith/graphics/null/NullCall.h"

#include <vector>

namespace Gralith::Graphics {

class NullSurface;

/// A device that draws nothing and records what would have reached the platform: state objects
/// applied at draw time, draws, clears, uploads, copies and render-target bindings, in order,
/// with the counters of DeviceStatistics. It follows the OpenGL backend's rules (checks and
/// messages), so layers above can be tested for the exact calls they make without a GPU.
class NullDevice : public DeviceImpl {
public:
    /// A device with a back buffer of the given size and the default state installed.
    static NullDevice* Create(int backBufferWidth = 640, int backBufferHeight = 480);
    ~NullDevice() override;

    void Clear(int flags, float red, float green, float blue, float alpha, float depth, int stencil) override;
    void Flush() override {}
    bool Present() override;
    bool HasCapability(int value) const override { return value == 1; }
    bool HasLowerLeftOrigin() const override { return lowerLeftOrigin; }
    bool IsDepthRangeMinusOneToOne() const override { return depthMinusOneToOne; }
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
    RenderTargetStatus CheckRenderTargets() override { return RenderTargetsComplete; }

    /// Pretend to be a backend with the origin at the upper-left (as Direct3D 9).
    void SetLowerLeftOrigin(bool value) { lowerLeftOrigin = value; }
    void SetDepthRangeMinusOneToOne(bool value) { depthMinusOneToOne = value; }
    /// What the next Present answers (false: the window was closed).
    void SetPresentResult(bool value) { presentResult = value; }

    const std::vector<NullCall>& GetCalls() const { return calls; }
    int CountCalls(NullCallKind kind) const;
    void ClearCalls() { calls.clear(); }

    /// Used by the null resources.
    void Record(NullCallKind kind, const void* object, int a = 0, int b = 0, int c = 0);

protected:
    NullDevice(int backBufferWidth, int backBufferHeight);

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

private:
    NullSurface* backBuffer;
    std::vector<NullCall> calls;
    bool lowerLeftOrigin = true;
    bool depthMinusOneToOne = true;
    bool presentResult = true;
};

} // namespace Gralith::Graphics
