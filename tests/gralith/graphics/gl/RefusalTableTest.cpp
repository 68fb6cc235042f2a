// Every misuse the device interface refuses, run on the null device and on the OpenGL device
// (headless, with the Cg shading layer): both must throw the same message and code, except
// where a row names the backend's own.

#include "gralith/graphics/BlendState.h"
#include "gralith/graphics/DepthStencilState.h"
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
#include "gralith/graphics/gl/CGShadingContext.h"
#include "gralith/graphics/gl/EGLGLDevice.h"
#include "gralith/graphics/null/NullDevice.h"

#include "tests/support/Expect.h"

#include <functional>
#include <vector>

namespace Gralith::Graphics {

namespace {

namespace M = Messages;

/// Releases what a row made, whether or not the row's statement threw.
class Made {
public:
    ~Made() {
        for (auto it = objects.rbegin(); it != objects.rend(); ++it)
            (*it)->Release();
    }
    template <class T>
    T* operator()(T* object) {
        objects.push_back(object);
        return object;
    }

private:
    std::vector<Object*> objects;
};

/// A texture the GL backend cannot make, for the sampler's type check.
class Volume : public Texture {
public:
    PixelFormat GetPixelFormat() const override { return PixelFormatR8G8B8A8; }
    TextureType GetType() const override { return TextureType::Texture3D; }
    void GenerateMipmaps() override {}
};

// Both backends read these: the null device its uniform declarations, the Cg layer all of it.
const char* const Source = "uniform float4x4 Bones[4];\nuniform sampler2D Map;\n"
                           "void vsMain(float4 p : POSITION, out float4 o : POSITION, out float2 uv : TEXCOORD0) {\n"
                           "    o = mul(Bones[1], p);\n    uv = p.xy;\n}\n"
                           "float4 psMain(float2 uv : TEXCOORD0) : COLOR { return tex2D(Map, uv); }\n";

Shader* MakeShader(Device* d, Made& made, ShaderType type) {
    return made(d->CreateShader(type, 0, type == VertexShader ? "vsMain" : "psMain", 0, Source));
}

Program* MakeProgram(Device* d, Made& made) {
    return made(d->CreateProgram(MakeShader(d, made, VertexShader), MakeShader(d, made, PixelShader)));
}

/// A device ready to draw: program, one-element layout, a 16-byte vertex buffer in stream 0.
void ReadyToDraw(Device* d, Made& made) {
    d->SetProgram(MakeProgram(d, made));
    InputElementDesc position = {0, 0, 4, 0, DataTypeFloat32, 0};
    d->SetInputLayout(made(d->CreateInputLayout(&position, 1)));
    d->SetVertexBuffer(0, made(d->CreateVertexBuffer(BufferModeStatic, 64, 16)));
}

struct Outcome {
    const char* message;
    int code;
};

struct Row {
    const char* what;
    std::function<void(Device*, Made&)> statement;
    Outcome null;
    Outcome gl = {nullptr, 0}; ///< message null: the same as the null device's
};

const Row Rows[] = {
    // Buffers
    {"write past the end",
     [](Device* d, Made& m) {
         const unsigned char bytes[4] = {};
         m(d->CreateVertexBuffer(BufferModeVolatile, 16, 8))->SetData(bytes, 13, 4);
     },
     {M::BufferRange, 4}},
    {"write before the start",
     [](Device* d, Made& m) {
         const unsigned char bytes[4] = {};
         m(d->CreateVertexBuffer(BufferModeVolatile, 16, 8))->SetData(bytes, -1, 4);
     },
     {M::BufferRange, 4}},
    {"lock past the end",
     [](Device* d, Made& m) { m(d->CreateVertexBuffer(BufferModeStatic, 16, 8))->Lock(LockReadOnly, 8, 16); },
     {M::BufferRange, 4}},
    {"second lock",
     [](Device* d, Made& m) {
         IndexBuffer* b = m(d->CreateIndexBuffer(BufferModeStatic, 32, IndexType16));
         b->Lock(LockWriteOnly, 0, 8);
         struct Unlock {
             IndexBuffer* b;
             ~Unlock() { b->Unlock(); }
         } unlock{b};
         b->Lock(LockReadOnly, 0, 0);
     },
     {M::BufferLocked, 3}},
    {"read and write lock",
     [](Device* d, Made& m) {
         m(d->CreateVertexBuffer(BufferModeStatic, 16, 8))->Lock(static_cast<LockMode>(3), 0, 0);
     },
     {M::InvalidLockMode, 3}},
    {"unknown buffer mode",
     [](Device* d, Made& m) { m(d->CreateVertexBuffer(static_cast<BufferMode>(3), 8, 8)); },
     {M::InvalidBufferMode, 4},
     {"Buffer mode enum not recognized", 4}},
    // Textures
    {"upload to a renderable texture",
     [](Device* d, Made& m) { m(d->CreateTexture2D(8, 8, PixelFormatR8G8B8A8, true))->SetData(0, nullptr, false); },
     {M::SetDataRenderable, 3}},
    {"upload to a renderable cube",
     [](Device* d, Made& m) {
         m(d->CreateTextureCube(8, PixelFormatR8G8B8A8, true))->SetData(PositiveX, 0, nullptr, false);
     },
     {M::SetDataRenderable, 3}},
    {"upload past the last level",
     [](Device* d, Made& m) { m(d->CreateTexture2D(8, 8, PixelFormatR8G8B8A8, false))->SetData(4, nullptr, false); },
     {M::InvalidLevel, 4}},
    {"surface past the last level",
     [](Device* d, Made& m) { m(d->CreateTexture2D(8, 8, PixelFormatR8G8B8A8, false))->GetSurface(16); },
     {M::InvalidLevel, 4}},
    {"surface of a luminance texture",
     [](Device* d, Made& m) { m(d->CreateTexture2D(8, 8, PixelFormatLuminance8, false))->GetSurface(0); },
     {M::Luminance8Surface, 0}},
    {"cube face 6",
     [](Device* d, Made& m) {
         m(d->CreateTextureCube(8, PixelFormatR8G8B8A8, false))->SetData(static_cast<CubeFace>(6), 0, nullptr, false);
     },
     {M::InvalidTextureFace, 4}},
    {"cube face -1",
     [](Device* d, Made& m) {
         m(d->CreateTextureCube(8, PixelFormatR8G8B8A8, false))->GetSurface(static_cast<CubeFace>(-1), 0);
     },
     {M::InvalidTextureFace, 4}},
    {"unknown pixel format",
     [](Device* d, Made& m) { m(d->CreateTexture2D(4, 4, static_cast<PixelFormat>(11), false)); },
     {M::UnsupportedPixelFormat, 4},
     {"Invalid texture pixel type enum", 4}},
    {"3D texture upload",
     [](Device* d, Made& m) { m(d->CreateTexture3D(4, 4, 4, PixelFormatR8G8B8A8, false))->SetData(0, nullptr, false); },
     {M::Texture3DSetData, 2},
     {M::No3DTextures, 2}},
    {"3D texture surface",
     [](Device* d, Made& m) { m(d->CreateTexture3D(4, 4, 4, PixelFormatR8G8B8A8, false))->GetSurface(0); },
     {M::Texture3DSurface, 2},
     {M::No3DTextures, 2}},
    // Surfaces and copies
    {"too many samples",
     [](Device* d, Made& m) { m(d->CreateSurface(8, 8, PixelFormatR8G8B8A8, 64)); },
     {"CreateSurface(): This device doesn't support this number of multisamples", 2}},
    {"luminance surface",
     [](Device* d, Made& m) { m(d->CreateSurface(8, 8, PixelFormatLuminance8, 0)); },
     {"Unsupported surface format", 2}},
    {"copy colour into depth",
     [](Device* d, Made& m) {
         Surface* color = m(d->CreateSurface(8, 8, PixelFormatR8G8B8A8, 0));
         m(d->CreateSurface(8, 8, PixelFormatDepth16, 0))->Copy(color, 0, 0, 8, 8, 0, 0, 8, 8, FilterPoint);
     },
     {"Surface::Copy(): Source/destination buffer is of incompatible types.", 1}},
    {"copy from a texture that is not renderable",
     [](Device* d, Made& m) {
         Texture2D* plain = m(d->CreateTexture2D(8, 8, PixelFormatR8G8B8A8, false));
         m(d->CreateSurface(8, 8, PixelFormatR8G8B8A8, 0))
             ->Copy(plain->GetSurface(0), 0, 0, 8, 8, 0, 0, 8, 8, FilterPoint);
     },
     {"Surface::Copy(): both source and destination surfaces must be renderable", 0}},
    {"copy without a filter",
     [](Device* d, Made& m) {
         Surface* color = m(d->CreateSurface(8, 8, PixelFormatR8G8B8A8, 0));
         color->Copy(color, 0, 0, 8, 8, 0, 0, 8, 8, FilterNone);
     },
     {"Surface::Copy(): invalid filter mode", 4}},
    // Render targets and streams
    {"back buffer beside another target",
     [](Device* d, Made& m) {
         Surface* targets[] = {m(d->CreateSurface(8, 8, PixelFormatR8G8B8A8, 0)), d->GetBackBuffer()};
         d->SetRenderTargets(2, targets, nullptr);
     },
     {M::BackBufferNotAlone, 2}},
    {"17 colour targets",
     [](Device* d, Made&) {
         Surface* targets[17] = {d->GetBackBuffer()};
         d->SetRenderTargets(17, targets, nullptr);
     },
     {M::TooManyColorTargets, 4}},
    {"stream 16", [](Device* d, Made&) { d->SetVertexBuffer(16, nullptr); }, {M::InvalidStream, 4}},
    {"17 input elements",
     [](Device* d, Made& m) {
         std::vector<InputElementDesc> elements(17, InputElementDesc{0, 0, 3, 0, DataTypeFloat32, 0});
         m(d->CreateInputLayout(elements.data(), 17));
     },
     {M::TooManyInputElements, 4}},
    // State descriptions
    {"unknown blend operand",
     [](Device* d, Made& m) {
         m(d->CreateBlendState(
             {true, static_cast<BlendOperand>(10), BlendOne, BlendOne, BlendOne, true, true, true, true}));
     },
     {M::InvalidBlendOperand, 4}},
    {"unknown compare function",
     [](Device* d, Made& m) {
         m(d->CreateDepthStencilState({true, static_cast<CompareFunction>(8), true, false, Always, 0, 0, 0, StencilKeep,
                                       StencilKeep, StencilKeep}));
     },
     {M::InvalidCompareFunction, 4}},
    {"unknown stencil operation",
     [](Device* d, Made& m) {
         m(d->CreateDepthStencilState(
             {true, Less, true, true, Always, 0, 0, 0, StencilKeep, StencilKeep, static_cast<StencilOperation>(6)}));
     },
     {M::InvalidStencilOperation, 4}},
    {"unknown cull mode",
     [](Device* d, Made& m) {
         m(d->CreateRasterizerState({1, 1, 1, static_cast<CullMode>(3), false}));
     },
     {M::InvalidCullMode, 4}},
    {"no minification filter",
     [](Device* d, Made& m) {
         m(d->CreateSamplerState({FilterNone, FilterLinear, FilterNone, AddressWrap, AddressWrap, AddressWrap}));
     },
     {M::IllegalFilterMode, 4}},
    {"unknown data type",
     [](Device* d, Made& m) {
         InputElementDesc element = {0, 0, 4, 0, static_cast<DataType>(5), 0};
         m(d->CreateInputLayout(&element, 1));
     },
     {M::InvalidDataType, 4}},
    {"unknown primitive type",
     [](Device* d, Made&) { d->SetPrimitiveType(static_cast<PrimitiveType>(5)); },
     {M::InvalidPrimitiveType, 4}},
    // Draws
    {"draw without a program",
     [](Device* d, Made& m) {
         ReadyToDraw(d, m);
         d->SetProgram(nullptr);
         d->DrawUnindexed(0, 3);
     },
     {M::NoProgram, 3}},
    {"draw without a layout",
     [](Device* d, Made& m) {
         ReadyToDraw(d, m);
         d->SetInputLayout(nullptr);
         d->DrawUnindexed(0, 3);
     },
     {M::NoInputLayout, 3}},
    {"layout reading an empty stream",
     [](Device* d, Made& m) {
         ReadyToDraw(d, m);
         InputElementDesc elements[] = {{0, 0, 4, 0, DataTypeFloat32, 0}, {3, 1, 4, 0, DataTypeFloat32, 0}};
         d->SetInputLayout(m(d->CreateInputLayout(elements, 2)));
         d->DrawUnindexed(0, 3);
     },
     {M::StreamWithoutBuffer, 3}},
    {"indexed draw without indices",
     [](Device* d, Made& m) {
         ReadyToDraw(d, m);
         d->DrawIndexed(0, 3, 0, 2);
     },
     {M::NoIndexBuffer, 3}},
    // Shaders, programs and parameters
    {"geometry shader", [](Device* d, Made& m) { MakeShader(d, m, GeometryShader); }, {M::GeometryShaderType, 2}},
    {"unknown shader type",
     [](Device* d, Made& m) { MakeShader(d, m, static_cast<ShaderType>(3)); },
     {M::InvalidShaderType, 4}},
    {"compiled shader",
     [](Device* d, Made& m) { m(d->CreateShader(VertexShader, 1, "vsMain", 0, Source)); },
     {M::OnlyTextShaders, 2}},
    {"program with a geometry stage",
     [](Device* d, Made& m) {
         Shader* vertex = MakeShader(d, m, VertexShader);
         m(d->CreateProgram(vertex, MakeShader(d, m, PixelShader), vertex));
     },
     {M::NoGeometryPrograms, 0}},
    {"program without a pixel stage",
     [](Device* d, Made& m) { m(d->CreateProgram(MakeShader(d, m, VertexShader), nullptr)); },
     {M::MissingShader, 3},
     {"A program needs a vertex shader and a pixel shader of this device", 4}},
    {"type of an unknown parameter",
     [](Device* d, Made& m) { MakeProgram(d, m)->GetParameter("Nowhere")->GetType(); },
     {M::ParameterNotValid, 0}},
    {"257 matrices",
     [](Device* d, Made& m) {
         std::vector<float> matrices(257 * 16, 0.0f);
         MakeProgram(d, m)->GetParameter("Bones")->SetMatrix4x4(257, matrices.data());
     },
     {M::TooManyMatrices, 3}},
    {"volume on a sampler",
     [](Device* d, Made& m) { MakeProgram(d, m)->GetParameter("Map")->SetSampler(m(new Volume)); },
     {M::Sampler3D, 0}},
};

GLShadingContext* CgShading(GLDevice* device) { return new CGShadingContext(device); }

class Refusal : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        gl = GetParam();
        device = gl ? static_cast<Device*>(EGLGLDevice::Create(16, 16, Depth24Stencil8, 0, &CgShading))
                    : NullDevice::Create(16, 16);
    }
    void TearDown() override { device->Release(); }

    bool gl = false;
    Device* device = nullptr;
};

TEST_P(Refusal, EveryMisuseThrowsItsMessageAndCode) {
    for (const Row& row : Rows) {
        SCOPED_TRACE(row.what);
        const Outcome& expected = gl && row.gl.message ? row.gl : row.null;
        Made made;
        EXPECT_GRALITH_THROW(row.statement(device, made), expected.message, expected.code);
        device->SetRenderTargets(0, nullptr, nullptr);
    }
}

TEST_P(Refusal, SemanticMapsTakeTheOpenGLNamesOnly) {
    for (const char* good : {"POSITION", "NORMAL", "COLOR", "TEXCOORD", "TEXCOORD7", "ATTR3"}) {
        const char* names[16] = {nullptr, good};
        EXPECT_NO_THROW(device->CreateSemanticMap(names)->Release()) << good;
    }
    for (const char* bad : {"TEXCOORD8", "TANGENT", "ATTR16", "POSITION0x", "position", "TEXCOORD-1"}) {
        const char* names[16] = {bad};
        EXPECT_GRALITH_THROW(device->CreateSemanticMap(names), M::UnsupportedSemantic, 3);
    }
}

INSTANTIATE_TEST_SUITE_P(Devices, Refusal, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) { return info.param ? "OpenGL" : "Null"; });

TEST(EGLGLDeviceCreation, RefusesDepthFormatsThisBackendLacks) {
    EXPECT_GRALITH_THROW(EGLGLDevice::Create(8, 8, Depth32Float), "Depth buffer format not supported", 2);
    EXPECT_GRALITH_THROW(EGLGLDevice::Create(8, 8, DepthStencilFormatReserved), "Depth buffer format not supported", 2);
    EXPECT_GRALITH_THROW(EGLGLDevice::Create(8, 8, static_cast<DepthStencilFormat>(4)),
                         "DepthStencilFromat not recognized", 4);
}

TEST(EGLGLDeviceRefusal, FloatFormatsAndHalfFloatUploads) {
    EGLGLDevice* device = EGLGLDevice::Create(8, 8);
    Made m;
    EXPECT_GRALITH_THROW(device->CreateTexture2D(4, 4, PixelFormatFloatR16, false),
                         "Device does not support PixelFormatFloatR16 under OpenGL", 0);
    EXPECT_GRALITH_THROW(device->CreateTextureCube(4, PixelFormatFloatR32, false),
                         "PixelFormatFloatR32 not supported (yet)", 0);
    unsigned char texels[4 * 4 * 16] = {};
    EXPECT_GRALITH_THROW(
        m(device->CreateTexture2D(4, 4, PixelFormatFloatR16G16B16A16, false))->SetData(0, texels, false),
        "OpenGL implementation does not support SetData() on PixelFormatFloatR16G16B16A16 textures (yet)", 0);
    EXPECT_GRALITH_THROW(
        m(device->CreateTextureCube(4, PixelFormatFloatR16G16B16A16, false))->SetData(PositiveX, 0, texels, false),
        "SetData() does not support PixelFormatFloatR16G16B16A16 (yet)", 0);
    EXPECT_GRALITH_THROW(
        m(device->CreateSurface(8, 8, PixelFormatR8G8B8A8, 0))->Copy(nullptr, 0, 0, 8, 8, 0, 0, 8, 8, FilterPoint),
        "Surface::Copy(): Can not copy from/to the given surface", 0);
    m(device);
}

} // namespace

} // namespace Gralith::Graphics
