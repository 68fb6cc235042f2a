#pragma once

// Every misuse the device interface refuses, one row each, with what each device answers: the
// null device, the OpenGL device (headless, with the Cg shading layer) and the Direct3D 9 device
// throw the same message and code except where a row names the backend's own. Refusals the
// shared device code makes before any backend is asked are checked once, on the null device
// (DrawSequenceTest, RenderTargetRulesTest). The OpenGL and Direct3D 9 tests run the rows.

#include "gralith/graphics/BlendState.h"
#include "gralith/graphics/DepthStencilState.h"
#include "gralith/graphics/Device.h"
#include "gralith/graphics/IndexBuffer.h"
#include "gralith/graphics/InputLayout.h"
#include "gralith/graphics/Messages.h"
#include "gralith/graphics/Parameter.h"
#include "gralith/graphics/Program.h"
#include "gralith/graphics/RasterizerState.h"
#include "gralith/graphics/SamplerState.h"
#include "gralith/graphics/SemanticMap.h"
#include "gralith/graphics/Shader.h"
#include "gralith/graphics/Surface.h"
#include "gralith/graphics/Texture2D.h"
#include "gralith/graphics/Texture3D.h"
#include "gralith/graphics/TextureCube.h"
#include "gralith/graphics/VertexBuffer.h"

#include "tests/support/Expect.h"

#include <vector>

namespace Gralith::Graphics::RefusalTable {

namespace M = Messages;

/// The device a row runs on, and what the row made: released whether or not the statement threw.
class Made {
public:
    explicit Made(Device* device) : d(device) {}
    ~Made() {
        for (auto it = objects.rbegin(); it != objects.rend(); ++it)
            (*it)->Release();
    }
    template <class T>
    T* operator()(T* object) {
        objects.push_back(object);
        return object;
    }
    VertexBuffer* Buffer(BufferMode mode = BufferModeStatic) { return (*this)(d->CreateVertexBuffer(mode, 16, 8)); }
    Texture2D* Texture(bool renderable, PixelFormat format = PixelFormatR8G8B8A8) {
        return (*this)(d->CreateTexture2D(8, 8, format, renderable));
    }
    TextureCube* Cube(bool renderable) { return (*this)(d->CreateTextureCube(8, PixelFormatR8G8B8A8, renderable)); }
    Texture3D* Volume3D() { return (*this)(d->CreateTexture3D(4, 4, 4, PixelFormatR8G8B8A8, false)); }
    Surface* Color() { return (*this)(d->CreateSurface(8, 8, PixelFormatR8G8B8A8, 0)); }
    InputLayout* Layout(const InputElementDesc* e, int count) { return (*this)(d->CreateInputLayout(e, count)); }
    Shader* MakeShader(ShaderType type) {
        return (*this)(d->CreateShader(type, 0, type == VertexShader ? "vsMain" : "psMain", 0, Source));
    }
    Program* MakeProgram() { return (*this)(d->CreateProgram(MakeShader(VertexShader), MakeShader(PixelShader))); }

    Device* const d;

private:
    // Both backends read it: the null device its uniform declarations, the Cg layer all of it.
    static constexpr const char* Source =
        "uniform float4x4 Bones[4];\nuniform sampler2D Map;\n"
        "void vsMain(float4 p : POSITION, out float4 o : POSITION, out float2 uv : TEXCOORD0) {\n"
        "    o = mul(Bones[1], p);\n    uv = p.xy;\n}\n"
        "float4 psMain(float2 uv : TEXCOORD0) : COLOR { return tex2D(Map, uv); }\n";
    std::vector<Object*> objects;
};

/// A texture the GL backend cannot make, for the sampler's type check.
class Volume : public Texture {
public:
    PixelFormat GetPixelFormat() const override { return PixelFormatR8G8B8A8; }
    TextureType GetType() const override { return TextureType::Texture3D; }
    void GenerateMipmaps() override {}
};

struct Outcome {
    const char* message;
    int code;
};

/// Message null: the same as the null device's. Code -1: the backend accepts what the others refuse.
constexpr Outcome Same = {nullptr, 0}, NoRefusal = {"", -1};

/// What the null device answers and, where they differ, the Direct3D 9 and the OpenGL device.
struct Outcomes {
    Outcomes(const char* message, int code) : null{message, code} {}
    Outcomes(Outcome null, Outcome d3d9, Outcome gl = Same) : null(null), d3d9(d3d9), gl(gl) {}
    Outcome null, d3d9 = Same, gl = Same;
};

struct Row {
    const char* what;
    void (*statement)(Made&);
    Outcomes answer;
};

inline const unsigned char Bytes[4] = {};
// State descriptions with one field out of range.
inline const BlendStateDesc BadOperand = {true, BlendOperand(10), BlendOne, BlendOne, BlendOne, true, true, true, true};
inline const DepthStencilStateDesc BadCompare = {true, CompareFunction(8), true, false, Always, 0, 0, 0, {}, {}, {}},
                                   BadStencil = {true, Less, true, true, Always, 0, 0, 0, {}, {}, StencilOperation(6)};
inline const RasterizerStateDesc BadCull = {1, 1, 1, CullMode(3), false};
inline const SamplerStateDesc NoMinFilter = {FilterLinear, FilterNone,  FilterNone,
                                             AddressWrap,  AddressWrap, AddressWrap};
inline const InputElementDesc BadType = {0, 0, 4, 0, DataType(5), 0};
inline const std::vector<InputElementDesc> Seventeen(17, InputElementDesc{0, 0, 3, 0, DataTypeFloat32, 0});

inline const Row Rows[] = {
    // Ranges: each bound once, the upper one on the upload path, the lower one on the other.
    {"write past the end", [](Made& m) { m.Buffer(BufferModeVolatile)->SetData(Bytes, 13, 4); }, {M::BufferRange, 4}},
    {"lock before the start", [](Made& m) { m.Buffer()->Lock(LockReadOnly, -1, 4); }, {M::BufferRange, 4}},
    {"second lock (released while locked)",
     [](Made& m) {
         IndexBuffer* b = m(m.d->CreateIndexBuffer(BufferModeStatic, 32, IndexType16));
         b->Lock(LockWriteOnly, 0, 8);
         b->Lock(LockReadOnly, 0, 0);
     },
     {M::BufferLocked, 3}},
    {"read and write lock", [](Made& m) { m.Buffer()->Lock(LockMode(3), 0, 0); }, {M::InvalidLockMode, 3}},
    {"unknown buffer mode",
     [](Made& m) { m.Buffer(BufferMode(3)); },
     {{M::InvalidBufferMode, 4}, Same, {"Buffer mode enum not recognized", 4}}},
    // Textures
    {"renderable upload", [](Made& m) { m.Texture(true)->SetData(0, nullptr, false); }, {M::SetDataRenderable, 3}},
    {"renderable cube upload",
     [](Made& m) { m.Cube(true)->SetData(PositiveX, 0, nullptr, false); },
     {M::SetDataRenderable, 3}},
    {"upload past the last level", [](Made& m) { m.Texture(false)->SetData(4, nullptr, false); }, {M::InvalidLevel, 4}},
    {"surface of level -1", [](Made& m) { m.Texture(false)->GetSurface(-1); }, {M::InvalidLevel, 4}},
    {"luminance texture surface",
     [](Made& m) { m.Texture(false, PixelFormatLuminance8)->GetSurface(0); },
     {M::Luminance8Surface, 0}},
    {"cube face 6",
     [](Made& m) { m.Cube(false)->SetData(CubeFace(6), 0, nullptr, false); },
     {{M::InvalidTextureFace, 4}, {M::D3D9InvalidCubeFace, 4}}},
    {"cube face -1",
     [](Made& m) { m.Cube(false)->GetSurface(CubeFace(-1), 0); },
     {{M::InvalidTextureFace, 4}, {M::D3D9InvalidCubeFace, 4}}},
    {"unknown pixel format",
     [](Made& m) { m.Texture(false, PixelFormat(11)); },
     {{M::UnsupportedPixelFormat, 4}, Same, {"Invalid texture pixel type enum", 4}}},
    {"3D texture upload",
     [](Made& m) { m.Volume3D()->SetData(0, nullptr, false); },
     {{M::Texture3DSetData, 2}, Same, {M::No3DTextures, 2}}},
    {"3D texture surface",
     [](Made& m) { m.Volume3D()->GetSurface(0); },
     {{M::Texture3DSurface, 2}, Same, {M::No3DTextures, 2}}},
    // Surfaces and copies
    {"too many samples",
     [](Made& m) { m(m.d->CreateSurface(8, 8, PixelFormatR8G8B8A8, 64)); },
     {{"CreateSurface(): This device doesn't support this number of multisamples", 2}, {M::SurfaceCreation, 2}}},
    // Under Wine; a driver without luminance targets answers M::SurfaceCreation.
    {"luminance surface",
     [](Made& m) { m(m.d->CreateSurface(8, 8, PixelFormatLuminance8, 0)); },
     {{"Unsupported surface format", 2}, NoRefusal}},
    {"copy colour into depth",
     [](Made& m) {
         m(m.d->CreateSurface(8, 8, PixelFormatDepth16, 0))->Copy(m.Color(), 0, 0, 8, 8, 0, 0, 8, 8, FilterPoint);
     },
     {{"Surface::Copy(): Source/destination buffer is of incompatible types.", 1}, {M::D3D9CopyFailed, 2}}},
    {"copy from a texture that is not renderable",
     [](Made& m) { m.Color()->Copy(m.Texture(false)->GetSurface(0), 0, 0, 8, 8, 0, 0, 8, 8, FilterPoint); },
     {{"Surface::Copy(): both source and destination surfaces must be renderable", 0}, {M::D3D9CopyNotRenderable, 3}}},
    {"copy with an unknown filter",
     [](Made& m) { m.Color()->Copy(m.Color(), 0, 0, 8, 8, 0, 0, 8, 8, FilterMode(3)); },
     {{"Surface::Copy(): invalid filter mode", 4}, {M::D3D9CopyFilter, 4}}},
    // Render targets, streams and draws
    {"back buffer beside another target",
     [](Made& m) {
         Surface* targets[] = {m.Color(), m.d->GetBackBuffer()};
         m.d->SetRenderTargets(2, targets, nullptr);
     },
     {{M::BackBufferNotAlone, 2}, NoRefusal}},
    {"stream 16", [](Made& m) { m.d->SetVertexBuffer(16, nullptr); }, {M::InvalidStream, 4}},
    {"17 input elements", [](Made& m) { m.Layout(Seventeen.data(), 17); }, {M::TooManyInputElements, 4}},
    {"indexed draw without indices",
     [](Made& m) { m.d->DrawIndexed(0, 3, 0, 2); },
     {{M::NoIndexBuffer, 3}, {M::D3D9NoProgram, 3}}},
    // State descriptions
    {"unknown blend operand", [](Made& m) { m(m.d->CreateBlendState(BadOperand)); }, {M::InvalidBlendOperand, 4}},
    {"unknown compare function",
     [](Made& m) { m(m.d->CreateDepthStencilState(BadCompare)); },
     {M::InvalidCompareFunction, 4}},
    {"unknown stencil operation",
     [](Made& m) { m(m.d->CreateDepthStencilState(BadStencil)); },
     {M::InvalidStencilOperation, 4}},
    {"unknown cull mode", [](Made& m) { m(m.d->CreateRasterizerState(BadCull)); }, {M::InvalidCullMode, 4}},
    {"no minification filter", [](Made& m) { m(m.d->CreateSamplerState(NoMinFilter)); }, {M::IllegalFilterMode, 4}},
    {"unknown data type",
     [](Made& m) { m.Layout(&BadType, 1); },
     {{M::InvalidDataType, 4}, {M::D3D9UnsupportedDataType, 4}}},
    {"unknown primitive type",
     [](Made& m) { m.d->SetPrimitiveType(PrimitiveType(5)); },
     {{M::InvalidPrimitiveType, 4}, {M::D3D9UnsupportedPrimitive, 4}}},
    // Shaders, programs and parameters
    {"geometry shader",
     [](Made& m) { m.MakeShader(GeometryShader); },
     {{M::GeometryShaderType, 2}, {M::D3D9GeometryShaderType, 2}}},
    {"unknown shader type",
     [](Made& m) { m.MakeShader(ShaderType(3)); },
     {{M::InvalidShaderType, 4}, {M::D3D9InvalidShaderType, 4}}},
    {"compiled shader",
     [](Made& m) { m(m.d->CreateShader(VertexShader, 1, "v", 0, "")); },
     {{M::OnlyTextShaders, 2}, {M::D3D9OnlyTextShaders, 2}}},
    {"program with a geometry stage",
     [](Made& m) {
         m(m.d->CreateProgram(m.MakeShader(VertexShader), m.MakeShader(PixelShader), m.MakeShader(VertexShader)));
     },
     {{M::NoGeometryPrograms, 0}, {M::D3D9NoGeometryPrograms, 0}}},
    {"program without a pixel stage",
     [](Made& m) { m(m.d->CreateProgram(m.MakeShader(VertexShader), nullptr)); },
     {{M::MissingShader, 3},
      {M::ProgramStages, 4},
      {"A program needs a vertex shader and a pixel shader of this device", 4}}},
    {"type of an unknown parameter",
     [](Made& m) { m.MakeProgram()->GetParameter("Nowhere")->GetType(); },
     {{M::ParameterNotValid, 0}, {M::D3D9ParameterInvalid, 0}}},
    {"257 matrices",
     [](Made& m) { m.MakeProgram()->GetParameter("Bones")->SetMatrix4x4(257, std::vector<float>(257 * 16).data()); },
     {M::TooManyMatrices, 3}},
    {"volume on a sampler",
     [](Made& m) { m.MakeProgram()->GetParameter("Map")->SetSampler(m(new Volume)); },
     {{M::Sampler3D, 0}, NoRefusal}},
};

/// Runs every row on device, expecting the backend's answers.
inline void RunRows(Device* device, Outcome Outcomes::*backend) {
    for (const Row& row : Rows) {
        SCOPED_TRACE(row.what);
        const Outcome& own = row.answer.*backend;
        const Outcome& expected = own.message ? own : row.answer.null;
        Made made(device);
        if (expected.code == NoRefusal.code)
            EXPECT_NO_THROW(row.statement(made));
        else
            EXPECT_GRALITH_THROW(row.statement(made), expected.message, expected.code);
        device->SetRenderTargets(0, nullptr, nullptr);
    }
}

} // namespace Gralith::Graphics::RefusalTable
