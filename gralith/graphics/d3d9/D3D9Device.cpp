#include "gralith/graphics/d3d9/D3D9Device.h"

#include "gralith/Exception.h"
#include "gralith/graphics/Messages.h"
#include "gralith/graphics/StateValidation.h"
#include "gralith/graphics/d3d9/D3D9Api.h"
#include "gralith/graphics/d3d9/D3D9BlendState.h"
#include "gralith/graphics/d3d9/D3D9DepthStencilState.h"
#include "gralith/graphics/d3d9/D3D9IndexBuffer.h"
#include "gralith/graphics/d3d9/D3D9InputLayout.h"
#include "gralith/graphics/d3d9/D3D9Mappings.h"
#include "gralith/graphics/d3d9/D3D9Program.h"
#include "gralith/graphics/d3d9/D3D9RasterizerState.h"
#include "gralith/graphics/d3d9/D3D9Runtime.h"
#include "gralith/graphics/d3d9/D3D9SamplerState.h"
#include "gralith/graphics/d3d9/D3D9SemanticMap.h"
#include "gralith/graphics/d3d9/D3D9Shader.h"
#include "gralith/graphics/d3d9/D3D9Surface.h"
#include "gralith/graphics/d3d9/D3D9Texture2D.h"
#include "gralith/graphics/d3d9/D3D9Texture3D.h"
#include "gralith/graphics/d3d9/D3D9TextureCube.h"
#include "gralith/graphics/d3d9/D3D9VertexBuffer.h"
#include "gralith/window/win32/Win32Text.h"
#include "gralith/window/win32/Win32Window.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace Gralith::Graphics {

namespace {

// The SDK version the device layer was written against (DirectX 9.0c).
constexpr UINT SdkVersion = 31;
// Texture units whose textures a program switch unbinds.
constexpr DWORD UnboundSamplers = 8;

// The Direct3D object, created once per process and kept until it ends.
IDirect3D9* Direct3D() {
    static IDirect3D9* direct3D = nullptr;
    if (!direct3D) {
        direct3D = D3D9Runtime::Get().Direct3DCreate9(SdkVersion);
        if (!direct3D)
            throw Exception((std::string(Messages::D3D9CreationFailed) + "Direct3DCreate9").c_str(), ErrorCreation);
    }
    return direct3D;
}

[[noreturn]] void CreationFailed(HRESULT result) {
    switch (result) {
    case D3DERR_NOTAVAILABLE: throw Exception(Messages::D3D9NotAvailable, ErrorCreation);
    case D3DERR_OUTOFVIDEOMEMORY: throw Exception(Messages::D3D9OutOfVideoMemory, ErrorCreation);
    case D3DERR_DEVICELOST: throw Exception(Messages::D3D9DeviceLost, ErrorCreation);
    case D3DERR_INVALIDCALL: throw Exception(Messages::D3D9UnsupportedParameters, ErrorCreation);
    default: {
        std::string message = Messages::D3D9CreationFailed + Win32Text::ErrorText(static_cast<unsigned long>(result));
        throw Exception(message.c_str(), ErrorCreation);
    }
    }
}

bool HasStencil(std::uint32_t format) { return format == D3DFMT_D24S8; }

} // namespace

D3D9Device::D3D9Device(Win32Window* window) : window(window), handle(window->GetHandle()) { window->AddRef(); }

D3D9Device* D3D9Device::Create(Window* window, DepthStencilFormat depthFormat, int multisamples, int flags) {
    D3D9DepthStencilFormat(depthFormat);
    auto* win32Window = dynamic_cast<Win32Window*>(window);
    if (!win32Window || !win32Window->GetHandle() || win32Window->IsDestroyed())
        throw Exception(Messages::NeedsWin32WindowD3D9, ErrorCreation);
    D3D9Runtime::Get();

    D3D9Device* device = new D3D9Device(win32Window);
    try {
        device->CreatePlatformDevice(depthFormat, multisamples, flags);
        device->SetUpDefaultState();
        device->FetchDefaultSurfaces();
        device->SetRenderTargets(0, nullptr, nullptr);
        device->SetScissorRect(0, 0, device->backBuffer->GetWidth(), device->backBuffer->GetHeight());
        device->device->BeginScene();
    } catch (...) {
        device->Release();
        throw;
    }
    return device;
}

void D3D9Device::CreatePlatformDevice(DepthStencilFormat depthFormat, int multisamples, int flags) {
    IDirect3D9* direct3D = Direct3D();
    HWND hwnd = static_cast<HWND>(handle);

    // The performance-analysis arrangement: that adapter with the reference device type.
    D3DDEVTYPE deviceType = D3DDEVTYPE_HAL;
    adapter = D3DADAPTER_DEFAULT;
    if (flags & DeviceAllowAnalysisAdapter) {
        for (UINT i = 0; i < direct3D->GetAdapterCount(); ++i) {
            D3DADAPTER_IDENTIFIER9 identifier = {};
            if (SUCCEEDED(direct3D->GetAdapterIdentifier(i, 0, &identifier)) &&
                std::strstr(identifier.Description, "PerfHUD")) {
                adapter = i;
                deviceType = D3DDEVTYPE_REF;
                break;
            }
        }
    }
    referenceDevice = deviceType == D3DDEVTYPE_REF;

    D3DDISPLAYMODE mode = {};
    HRESULT result = direct3D->GetAdapterDisplayMode(adapter, &mode);
    if (FAILED(result))
        CreationFailed(result);

    D3DPRESENT_PARAMETERS parameters = {};
    fullscreen = (flags & DeviceFullscreen) != 0;
    if (fullscreen) {
        RECT rect = {};
        GetWindowRect(hwnd, &rect);
        parameters.BackBufferWidth = static_cast<UINT>(rect.right - rect.left);
        parameters.BackBufferHeight = static_cast<UINT>(rect.bottom - rect.top);
        parameters.SwapEffect = D3DSWAPEFFECT_DISCARD;
        parameters.Windowed = FALSE;
    } else {
        // 0 x 0: the client area.
        parameters.SwapEffect = D3DSWAPEFFECT_FLIP;
        parameters.Windowed = TRUE;
    }
    parameters.BackBufferFormat = mode.Format;
    parameters.BackBufferCount = 1;
    parameters.MultiSampleType = static_cast<D3DMULTISAMPLE_TYPE>(multisamples);
    parameters.MultiSampleQuality = 0;
    parameters.hDeviceWindow = hwnd;
    parameters.EnableAutoDepthStencil = TRUE;
    parameters.AutoDepthStencilFormat = D3D9DepthStencilFormat(depthFormat);
    parameters.PresentationInterval =
        (flags & DeviceWaitForRetrace) ? D3DPRESENT_INTERVAL_DEFAULT : D3DPRESENT_INTERVAL_IMMEDIATE;
    windowDepthFormat = parameters.AutoDepthStencilFormat;

    // Direct3D would otherwise lower the x87 unit's precision on this thread, which the C
    // library's number conversions still use.
    result = direct3D->CreateDevice(adapter, deviceType, hwnd,
                                    D3DCREATE_HARDWARE_VERTEXPROCESSING | D3DCREATE_FPU_PRESERVE, &parameters, &device);
    if (FAILED(result)) {
        device = nullptr;
        fullscreen = false;
        CreationFailed(result);
    }
}

void D3D9Device::FetchDefaultSurfaces() {
    if (FAILED(device->GetDepthStencilSurface(&defaultDepth)) ||
        FAILED(device->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &defaultColor)))
        throw Exception(Messages::D3D9DefaultSurfaces, ErrorRefused);
    defaultColor->AddRef();
    backBuffer = new D3D9Surface(this, defaultColor, true, false);
}

D3D9Device::~D3D9Device() {
    ReleaseDefaultState();
    if (backBuffer)
        backBuffer->Release();
    if (defaultColor)
        defaultColor->Release();
    if (defaultDepth)
        defaultDepth->Release();
    if (device) {
        device->EndScene();
        device->Release();
    }
    window->Release();
}

void D3D9Device::Clear(int flags, float red, float green, float blue, float alpha, float depth, int stencil) {
    auto channel = [](float value) -> D3DCOLOR {
        float scaled = value * 255.0f;
        // Truncated toward zero, then clamped (a NaN clears to 0).
        if (!(scaled > 0.0f))
            return 0;
        return scaled >= 255.0f ? 255u : static_cast<D3DCOLOR>(scaled);
    };
    D3DCOLOR color = (channel(alpha) << 24) | (channel(red) << 16) | (channel(green) << 8) | channel(blue);
    DWORD clear = D3D9ClearFlags(flags);
    // The buffers the bound targets lack are left out, as OpenGL does: Direct3D would refuse the
    // whole clear.
    if (!boundDepthFormat)
        clear &= ~static_cast<DWORD>(D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL);
    else if (!HasStencil(boundDepthFormat))
        clear &= ~static_cast<DWORD>(D3DCLEAR_STENCIL);
    if (clear && FAILED(device->Clear(0, nullptr, clear, color, depth, static_cast<DWORD>(stencil))))
        throw Exception(Messages::D3D9ClearFailed, ErrorGeneral);
    ++statistics.Clears;
}

bool D3D9Device::Present() {
    device->EndScene();
    device->Present(nullptr, nullptr, nullptr, nullptr);
    device->BeginScene();
    if (!Win32Window::DispatchMessages())
        return false;
    return !(window->ConsumeCloseRequest() || window->IsDestroyed());
}

Surface* D3D9Device::GetBackBuffer() { return backBuffer; }

VertexBuffer* D3D9Device::CreateVertexBuffer(BufferMode mode, int size, int stride) {
    return new D3D9VertexBuffer(this, mode, size, stride);
}

IndexBuffer* D3D9Device::CreateIndexBuffer(BufferMode mode, int size, IndexType type) {
    return new D3D9IndexBuffer(this, mode, size, type);
}

Surface* D3D9Device::CreateSurface(int width, int height, PixelFormat format, int multisamples) {
    D3DFORMAT d3dFormat = D3D9PixelFormat(format);
    IDirect3DSurface9* surface = nullptr;
    auto samples = static_cast<D3DMULTISAMPLE_TYPE>(multisamples);
    HRESULT result = IsDepthFormat(format)
                         ? device->CreateDepthStencilSurface(static_cast<UINT>(width), static_cast<UINT>(height),
                                                             d3dFormat, samples, 0, FALSE, &surface, nullptr)
                         : device->CreateRenderTarget(static_cast<UINT>(width), static_cast<UINT>(height), d3dFormat,
                                                      samples, 0, FALSE, &surface, nullptr);
    if (FAILED(result) || !surface)
        throw Exception(Messages::SurfaceCreation, ErrorUnsupported);
    return new D3D9Surface(this, surface, true, true);
}

Texture2D* D3D9Device::CreateTexture2D(int width, int height, PixelFormat format, bool renderable) {
    return new D3D9Texture2D(this, width, height, format, renderable);
}

Texture3D* D3D9Device::CreateTexture3D(int width, int height, int depth, PixelFormat format, bool renderable) {
    return new D3D9Texture3D(this, width, height, depth, format, renderable);
}

TextureCube* D3D9Device::CreateTextureCube(int size, PixelFormat format, bool renderable) {
    return new D3D9TextureCube(this, size, format, renderable);
}

Shader* D3D9Device::CreateShader(ShaderType type, int sourceFormat, const char* entryPoint, int, const char* source) {
    if (type == GeometryShader)
        throw Exception(Messages::D3D9GeometryShaderType, ErrorUnsupported);
    if (type != PixelShader && type != VertexShader)
        throw Exception(Messages::D3D9InvalidShaderType, ErrorInvalidArgument);
    if (sourceFormat != 0)
        throw Exception(Messages::D3D9OnlyTextShaders, ErrorUnsupported);
    return new D3D9Shader(this, type, entryPoint, source);
}

Program* D3D9Device::CreateProgram(Shader* vertexShader, Shader* pixelShader, Shader* geometryShader) {
    if (geometryShader)
        throw Exception(Messages::D3D9NoGeometryPrograms, ErrorGeneral);
    return CreateProgram(vertexShader, pixelShader);
}

Program* D3D9Device::CreateProgram(Shader* vertexShader, Shader* pixelShader) {
    auto* vertex = dynamic_cast<D3D9Shader*>(vertexShader);
    auto* pixel = dynamic_cast<D3D9Shader*>(pixelShader);
    if (!vertex || !pixel || vertex->GetShaderType() != VertexShader || pixel->GetShaderType() != PixelShader)
        throw Exception(Messages::ProgramStages, ErrorInvalidArgument);
    return new D3D9Program(this, vertex, pixel);
}

BlendState* D3D9Device::CreateBlendState(const BlendStateDesc& desc) { return new D3D9BlendState(desc); }

DepthStencilState* D3D9Device::CreateDepthStencilState(const DepthStencilStateDesc& desc) {
    return new D3D9DepthStencilState(desc);
}

RasterizerState* D3D9Device::CreateRasterizerState(const RasterizerStateDesc& desc) {
    return new D3D9RasterizerState(desc);
}

InputLayout* D3D9Device::CreateInputLayout(const InputElementDesc* elements, int count) {
    return new D3D9InputLayout(this, elements, count, dynamic_cast<D3D9SemanticMap*>(semanticMap));
}

SemanticMap* D3D9Device::CreateSemanticMap(const char* const* names) { return new D3D9SemanticMap(names); }

SamplerState* D3D9Device::CreateSamplerState(const SamplerStateDesc& desc) { return new D3D9SamplerState(desc); }

void D3D9Device::SetVertexBuffer(int stream, VertexBuffer* buffer) {
    auto* d3dBuffer = dynamic_cast<D3D9VertexBuffer*>(buffer);
    if (buffer && !d3dBuffer)
        throw Exception(Messages::D3D9SetVertexBuffer, ErrorGeneral);
    DeviceImpl::SetVertexBuffer(stream, buffer);
    HRESULT result = device->SetStreamSource(static_cast<UINT>(stream), d3dBuffer ? d3dBuffer->Get() : nullptr, 0,
                                             d3dBuffer ? static_cast<UINT>(d3dBuffer->GetStride()) : 0);
    if (FAILED(result))
        throw Exception(Messages::D3D9SetVertexBuffer, ErrorGeneral);
}

void D3D9Device::SetIndexBuffer(IndexBuffer* buffer) {
    auto* d3dBuffer = dynamic_cast<D3D9IndexBuffer*>(buffer);
    if (buffer && !d3dBuffer)
        throw Exception(Messages::D3D9SetIndexBuffer, ErrorGeneral);
    DeviceImpl::SetIndexBuffer(buffer);
    if (FAILED(device->SetIndices(d3dBuffer ? d3dBuffer->Get() : nullptr)))
        throw Exception(Messages::D3D9SetIndexBuffer, ErrorGeneral);
}

void D3D9Device::SetPrimitiveType(PrimitiveType type) {
    D3D9Primitive primitive = D3D9PrimitiveOf(type);
    DeviceImpl::SetPrimitiveType(type);
    primitiveKind = primitive.Kind;
    primitiveDivisor = primitive.Divisor;
    primitiveOffset = primitive.Offset;
}

void D3D9Device::SetProgram(Program* program) {
    bool switching = program != this->program && (!program || program->GetSerial() != appliedProgram);
    DeviceImpl::SetProgram(program);
    if (switching)
        for (DWORD sampler = 0; sampler < UnboundSamplers; ++sampler)
            device->SetTexture(sampler, nullptr);
}

void D3D9Device::CheckDraw(bool indexed) {
    if (!program)
        throw Exception(Messages::D3D9NoProgram, ErrorInvalidState);
    if (indexed && !indexBuffer)
        throw Exception(Messages::NoIndexBuffer, ErrorInvalidState);
}

void D3D9Device::ApplyBlendState(BlendState* state) { static_cast<D3D9BlendState*>(state)->Apply(device); }

void D3D9Device::ApplyDepthStencilState(DepthStencilState* state) {
    static_cast<D3D9DepthStencilState*>(state)->Apply(device);
}

void D3D9Device::ApplyRasterizerState(RasterizerState* state) {
    static_cast<D3D9RasterizerState*>(state)->Apply(device);
}

void D3D9Device::ApplyInputLayout(InputLayout* layout, SemanticMap*) {
    // The semantic map was read when the layout was made.
    if (FAILED(device->SetVertexDeclaration(static_cast<D3D9InputLayout*>(layout)->Get())))
        throw Exception(Messages::D3D9SetVertexDeclaration, ErrorGeneral);
}

void D3D9Device::BindProgram(Program* program) {
    auto* d3dProgram = static_cast<D3D9Program*>(program);
    if (FAILED(device->SetVertexShader(d3dProgram->GetVertexShader()->GetVertexShader())))
        throw Exception(Messages::D3D9SetVertexShader, ErrorGeneral);
    if (FAILED(device->SetPixelShader(d3dProgram->GetPixelShader()->GetPixelShader())))
        throw Exception(Messages::D3D9SetPixelShader, ErrorGeneral);
}

void D3D9Device::IssueDraw(int firstVertex, int vertexCount) {
    D3D9Primitive primitive = {static_cast<D3DPRIMITIVETYPE>(primitiveKind), primitiveDivisor, primitiveOffset};
    int primitives = primitive.Count(vertexCount);
    if (primitives == 0)
        return;
    if (FAILED(device->DrawPrimitive(primitive.Kind, static_cast<UINT>(firstVertex), static_cast<UINT>(primitives))))
        throw Exception(Messages::D3D9DrawUnindexed, ErrorGeneral);
}

void D3D9Device::IssueDrawIndexed(int firstIndex, int indexCount, int lowestVertex, int highestVertex) {
    D3D9Primitive primitive = {static_cast<D3DPRIMITIVETYPE>(primitiveKind), primitiveDivisor, primitiveOffset};
    int primitives = primitive.Count(indexCount);
    if (primitives == 0)
        return;
    HRESULT result = device->DrawIndexedPrimitive(primitive.Kind, 0, static_cast<UINT>(lowestVertex),
                                                  static_cast<UINT>(highestVertex - lowestVertex),
                                                  static_cast<UINT>(firstIndex), static_cast<UINT>(primitives));
    if (FAILED(result))
        throw Exception(Messages::D3D9DrawIndexed, ErrorGeneral);
}

std::uint32_t D3D9Device::LargestIndex(int firstIndex, int indexCount) {
    return static_cast<D3D9IndexBuffer*>(indexBuffer)->LargestIndex(firstIndex, indexCount);
}

void D3D9Device::BindRenderTargets(int count, Surface* const* colors, Surface* depthStencil) {
    // Everything is checked before anything is bound, so a refusal changes nothing.
    D3D9Surface* targets[SlotLimit] = {};
    for (int i = 0; i < count; ++i) {
        targets[i] = dynamic_cast<D3D9Surface*>(colors[i]);
        if (!targets[i] || targets[i]->IsDepth() || !targets[i]->IsRenderable())
            throw Exception(Messages::InvalidColorTarget, ErrorInvalidState);
    }
    auto* depth = dynamic_cast<D3D9Surface*>(depthStencil);
    if (depthStencil && (!depth || !depth->IsDepth()))
        throw Exception(Messages::InvalidDepthStencilTarget, ErrorUnsupported);

    for (int i = 1; i < colorTargetCount; ++i)
        device->SetRenderTarget(static_cast<DWORD>(i), nullptr);
    if (count == 0 && !depth) {
        device->SetDepthStencilSurface(defaultDepth);
        device->SetRenderTarget(0, defaultColor);
        boundDepthFormat = windowDepthFormat;
        return;
    }
    for (int i = 0; i < count; ++i)
        if (FAILED(device->SetRenderTarget(static_cast<DWORD>(i), targets[i]->Get())))
            throw Exception(Messages::InvalidColorTarget, ErrorInvalidState);
    device->SetDepthStencilSurface(nullptr);
    boundDepthFormat = 0;
    if (depth) {
        if (FAILED(device->SetDepthStencilSurface(depth->Get())))
            throw Exception(Messages::D3D9DepthStencilTarget, ErrorUnsupported);
        boundDepthFormat = depth->GetD3DFormat();
    }
}

void D3D9Device::ApplyViewport() {
    D3DVIEWPORT9 port = {static_cast<DWORD>(viewport.X),
                         static_cast<DWORD>(viewport.Y),
                         static_cast<DWORD>(viewport.Width),
                         static_cast<DWORD>(viewport.Height),
                         0.0f,
                         1.0f};
    if (FAILED(device->SetViewport(&port)))
        throw Exception(Messages::D3D9ViewportFailed, ErrorUnsupported);
}

void D3D9Device::ApplyScissorRect() {
    RECT rect = {scissor.X, scissor.Y, scissor.X + scissor.Width, scissor.Y + scissor.Height};
    device->SetScissorRect(&rect);
}

void D3D9Device::ReadSurface(Surface* surface, int x, int y, int width, int height, void* rgba) {
    auto* source = dynamic_cast<D3D9Surface*>(surface);
    if (!source || source->IsDepth() ||
        (source->GetD3DFormat() != D3DFMT_A8R8G8B8 && source->GetD3DFormat() != D3DFMT_X8R8G8B8))
        throw Exception(Messages::ReadNonColorSurface, ErrorInvalidState);
    if (x < 0 || y < 0 || width < 0 || height < 0 || x + width > source->GetWidth() || y + height > source->GetHeight())
        throw Exception(Messages::BufferRange, ErrorInvalidArgument);
    auto format = static_cast<D3DFORMAT>(source->GetD3DFormat());
    UINT w = static_cast<UINT>(source->GetWidth()), h = static_cast<UINT>(source->GetHeight());
    IDirect3DSurface9* resolved = nullptr;
    IDirect3DSurface9* memory = nullptr;
    IDirect3DSurface9* from = source->Get();
    auto release = [&] {
        if (resolved)
            resolved->Release();
        if (memory)
            memory->Release();
    };
    // Only a single-sampled render target can be copied to system memory.
    if (source->GetSamples() > 0) {
        if (FAILED(device->CreateRenderTarget(w, h, format, D3DMULTISAMPLE_NONE, 0, FALSE, &resolved, nullptr)) ||
            FAILED(device->StretchRect(from, nullptr, resolved, nullptr, D3DTEXF_NONE))) {
            release();
            throw Exception(Messages::D3D9ReadSurface, ErrorGeneral);
        }
        from = resolved;
    }
    D3DLOCKED_RECT locked = {};
    if (FAILED(device->CreateOffscreenPlainSurface(w, h, format, D3DPOOL_SYSTEMMEM, &memory, nullptr)) ||
        FAILED(device->GetRenderTargetData(from, memory)) ||
        FAILED(memory->LockRect(&locked, nullptr, D3DLOCK_READONLY))) {
        release();
        throw Exception(Messages::D3D9ReadSurface, ErrorGeneral);
    }
    auto* out = static_cast<unsigned char*>(rgba);
    for (int row = 0; row < height; ++row) {
        const auto* in = static_cast<const unsigned char*>(locked.pBits) + (y + row) * locked.Pitch + x * 4;
        for (int column = 0; column < width; ++column, in += 4, out += 4) {
            out[0] = in[2];
            out[1] = in[1];
            out[2] = in[0];
            out[3] = format == D3DFMT_X8R8G8B8 ? 255 : in[3];
        }
    }
    memory->UnlockRect();
    release();
}

} // namespace Gralith::Graphics
