#include "gralith/graphics/null/NullDevice.h"

#include "gralith/Exception.h"
#include "gralith/graphics/Messages.h"
#include "gralith/graphics/StateValidation.h"
#include "gralith/graphics/null/NullResources.h"
#include "gralith/graphics/null/NullShading.h"

namespace Gralith::Graphics {

NullDevice* NullDevice::Create(int backBufferWidth, int backBufferHeight) {
    NullDevice* device = new NullDevice(backBufferWidth, backBufferHeight);
    device->SetUpDefaultState();
    device->SetRenderTargets(0, nullptr, nullptr);
    device->ClearCalls();
    return device;
}

NullDevice::NullDevice(int backBufferWidth, int backBufferHeight)
    : backBuffer(new NullSurface(this, backBufferWidth, backBufferHeight, PixelFormatR8G8B8A8, true)) {}

NullDevice::~NullDevice() {
    ReleaseDefaultState();
    backBuffer->Release();
}

void NullDevice::Record(NullCallKind kind, const void* object, int a, int b, int c) {
    calls.push_back(NullCall{kind, object, {a, b, c}});
}

int NullDevice::CountCalls(NullCallKind kind) const {
    int n = 0;
    for (const NullCall& call : calls)
        n += call.Kind == kind;
    return n;
}

void NullDevice::Clear(int flags, float, float, float, float, float, int stencil) {
    Record(NullClear, nullptr, flags, stencil);
    ++statistics.Clears;
}

bool NullDevice::Present() {
    Record(NullPresent, nullptr);
    return presentResult;
}

Surface* NullDevice::GetBackBuffer() { return backBuffer; }

VertexBuffer* NullDevice::CreateVertexBuffer(BufferMode mode, int size, int stride) {
    return new NullVertexBuffer(this, mode, size, stride);
}

IndexBuffer* NullDevice::CreateIndexBuffer(BufferMode mode, int size, IndexType type) {
    return new NullIndexBuffer(this, mode, size, type);
}

Surface* NullDevice::CreateSurface(int width, int height, PixelFormat format, int multisamples) {
    // The sample limit of the software rasterizer the tests run on.
    if (multisamples > 4)
        throw Exception(Messages::SurfaceMultisamples, ErrorUnsupported);
    if (format != PixelFormatR8G8B8A8 && format != PixelFormatFloatR16G16B16A16 &&
        format != PixelFormatFloatR32G32B32A32 && format != PixelFormatDepth24Stencil8 && format != PixelFormatDepth16)
        throw Exception(Messages::UnsupportedSurfaceFormat, ErrorUnsupported);
    return new NullSurface(this, width, height, format, true, this);
}

Texture2D* NullDevice::CreateTexture2D(int width, int height, PixelFormat format, bool renderable) {
    BytesPerPixel(format);
    return new NullTexture2D(this, width, height, format, renderable);
}

Texture3D* NullDevice::CreateTexture3D(int width, int height, int depth, PixelFormat format, bool) {
    BytesPerPixel(format);
    return new NullTexture3D(width, height, depth, format);
}

TextureCube* NullDevice::CreateTextureCube(int size, PixelFormat format, bool renderable) {
    BytesPerPixel(format);
    return new NullTextureCube(this, size, format, renderable);
}

Shader* NullDevice::CreateShader(ShaderType type, int sourceFormat, const char* entryPoint, int, const char* source) {
    if (type == GeometryShader)
        throw Exception(Messages::GeometryShaderType, ErrorUnsupported);
    if (type != PixelShader && type != VertexShader)
        throw Exception(Messages::InvalidShaderType, ErrorInvalidArgument);
    if (sourceFormat != 0)
        throw Exception(Messages::OnlyTextShaders, ErrorUnsupported);
    return new NullShader(type, entryPoint, source);
}

Program* NullDevice::CreateProgram(Shader* vertexShader, Shader* pixelShader, Shader* geometryShader) {
    if (geometryShader)
        throw Exception(Messages::NoGeometryPrograms, ErrorGeneral);
    return CreateProgram(vertexShader, pixelShader);
}

Program* NullDevice::CreateProgram(Shader* vertexShader, Shader* pixelShader) {
    NullShader* vertex = dynamic_cast<NullShader*>(vertexShader);
    NullShader* pixel = dynamic_cast<NullShader*>(pixelShader);
    if (!vertex || !pixel)
        throw Exception(Messages::MissingShader, ErrorInvalidState);
    return new NullProgram(vertex, pixel);
}

BlendState* NullDevice::CreateBlendState(const BlendStateDesc& desc) {
    ValidateBlendStateDesc(desc);
    return new NullBlendState(desc);
}

DepthStencilState* NullDevice::CreateDepthStencilState(const DepthStencilStateDesc& desc) {
    ValidateDepthStencilStateDesc(desc);
    return new NullDepthStencilState(desc);
}

RasterizerState* NullDevice::CreateRasterizerState(const RasterizerStateDesc& desc) {
    ValidateRasterizerStateDesc(desc);
    return new NullRasterizerState(desc);
}

InputLayout* NullDevice::CreateInputLayout(const InputElementDesc* elements, int count) {
    ValidateInputElements(elements, count);
    return new NullInputLayout(elements, count);
}

SemanticMap* NullDevice::CreateSemanticMap(const char* const* names) { return new NullSemanticMap(names); }

SamplerState* NullDevice::CreateSamplerState(const SamplerStateDesc& desc) {
    ValidateSamplerStateDesc(desc);
    return new NullSamplerState(desc);
}

void NullDevice::CheckDraw(bool indexed) {
    if (indexed && !indexBuffer)
        throw Exception(Messages::NoIndexBuffer, ErrorInvalidState);
}

void NullDevice::ApplyBlendState(BlendState* state) { Record(NullApplyBlend, state); }

void NullDevice::ApplyDepthStencilState(DepthStencilState* state) { Record(NullApplyDepthStencil, state); }

void NullDevice::ApplyRasterizerState(RasterizerState* state) { Record(NullApplyRasterizer, state); }

void NullDevice::ApplyInputLayout(InputLayout* layout, SemanticMap*) {
    Record(NullApplyInputLayout, layout, static_cast<const NullInputLayout*>(layout)->Count());
}

void NullDevice::BindProgram(Program* program) { Record(NullApplyProgram, program); }

void NullDevice::IssueDraw(int firstVertex, int vertexCount) {
    Record(NullDraw, nullptr, firstVertex, vertexCount, primitiveType);
}

void NullDevice::IssueDrawIndexed(int firstIndex, int indexCount, int, int) {
    Record(NullDrawIndexed, indexBuffer, firstIndex, indexCount, primitiveType);
}

std::uint32_t NullDevice::LargestIndex(int firstIndex, int indexCount) {
    auto* buffer = static_cast<NullIndexBuffer*>(indexBuffer);
    return LargestIndexIn(buffer->GetBytes(), buffer->GetIndexType(), firstIndex, indexCount);
}

void NullDevice::BindRenderTargets(int count, Surface* const* colors, Surface* depthStencil) {
    for (int i = 0; i < count; ++i) {
        if (colors[i] == backBuffer && count > 1)
            throw Exception(Messages::BackBufferNotAlone, ErrorUnsupported);
        if (!dynamic_cast<NullSurface*>(colors[i]))
            throw Exception(Messages::InvalidColorTarget, ErrorInvalidState);
    }
    if (depthStencil && (depthStencil == backBuffer || !dynamic_cast<NullSurface*>(depthStencil)))
        throw Exception(Messages::InvalidDepthStencilTarget, ErrorUnsupported);
    Record(NullBindRenderTargets, count > 0 ? colors[0] : nullptr, count, depthStencil ? 1 : 0);
}

} // namespace Gralith::Graphics
