// The Cg shading layer on a real (headless, llvmpipe) OpenGL context: programs are compiled from
// Cg text, fed through parameters and drawn; the frame is read back.
#include "gralith/Exception.h"
#include "gralith/graphics/Descriptions.h"
#include "gralith/graphics/InputLayout.h"
#include "gralith/graphics/Parameter.h"
#include "gralith/graphics/Program.h"
#include "gralith/graphics/SamplerState.h"
#include "gralith/graphics/SemanticMap.h"
#include "gralith/graphics/Shader.h"
#include "gralith/graphics/Texture2D.h"
#include "gralith/graphics/TextureCube.h"
#include "gralith/graphics/VertexBuffer.h"
#include "gralith/graphics/gl/CGShadingContext.h"
#include "gralith/graphics/gl/EGLGLDevice.h"
#include "gralith/graphics/gl/GLFunctions.h"

#include "tests/support/CommaLocale.h"
#include "tests/support/Expect.h"
#include "tests/support/Readback.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

using namespace Gralith::Graphics;
using Gralith::Exception;

namespace {

constexpr int Size = 32;

using GralithTest::Pixel;

// Colour channels are compared after 8-bit quantisation.
::testing::AssertionResult Near(const Pixel& actual, int r, int g, int b, int a = 255) {
    return GralithTest::Near(actual, {r, g, b, a});
}

GLShadingContext* MakeShading(GLDevice* device) { return new CGShadingContext(device); }

// The exception a call throws, as "message|code", or "" when it throws none.
template <class F>
std::string ErrorOf(F call) {
    int code = 0;
    std::string message = GralithTest::MessageOf(call, &code);
    return message.empty() ? "" : message + "|" + std::to_string(code);
}

// A full-target quad: float2 position at slot 0 (POSITION), float2 uv at slot 8 (TEXCOORD0).
const float QuadVertices[] = {
    -1, -1, 0, 0, //
    1,  -1, 1, 0, //
    -1, 1,  0, 1, //
    1,  1,  1, 1, //
};

const char* const PassThroughVertex = R"(
struct VSOut { float4 position : POSITION; float2 uv : TEXCOORD0; };
VSOut vsMain(float2 position : POSITION, float2 uv : TEXCOORD0) {
    VSOut o;
    o.position = float4(position, 0.0, 1.0);
    o.uv = uv;
    return o;
}
)";

class CgRender : public ::testing::Test {
protected:
    void SetUp() override {
        device = EGLGLDevice::Create(Size, Size, Depth24Stencil8, 0, &MakeShading);
        quad = device->CreateVertexBuffer(BufferModeStatic, sizeof(QuadVertices), 4 * sizeof(float));
        quad->SetData(QuadVertices, 0, sizeof(QuadVertices));
        const InputElementDesc elements[] = {
            {0, 0, 2, 0, DataTypeFloat32, 0},
            {8, 0, 2, 2 * sizeof(float), DataTypeFloat32, 0},
        };
        layout = device->CreateInputLayout(elements, 2);
    }

    void TearDown() override {
        // Every upload above must have matched its uniform; a mismatch shows up as a GL error.
        EXPECT_EQ(0u, device->GL().GetError());
        for (Program* program : programs)
            program->Release();
        for (Shader* shader : shaders)
            shader->Release();
        for (Gralith::Object* object : others)
            object->Release();
        layout->Release();
        quad->Release();
        device->Release();
    }

    template <class T>
    T* Keep(T* object) {
        others.push_back(object);
        return object;
    }

    Shader* Compile(ShaderType type, const std::string& source, const char* entry) {
        Shader* shader = device->CreateShader(type, 0, entry, 0, source.c_str());
        shaders.push_back(shader);
        return shader;
    }

    // vsMain and psMain of one source.
    Program* Build(const std::string& source) {
        Shader* vertex = Compile(VertexShader, source, "vsMain");
        Shader* pixel = Compile(PixelShader, source, "psMain");
        Program* program = device->CreateProgram(vertex, pixel);
        programs.push_back(program);
        return program;
    }

    // A program with the pass-through vertex stage and the given pixel entry psMain.
    Program* BuildPixel(const std::string& pixelSource) { return Build(std::string(PassThroughVertex) + pixelSource); }

    void Draw(Program* program) {
        device->SetProgram(program);
        device->SetVertexBuffer(0, quad);
        device->SetInputLayout(layout);
        device->SetPrimitiveType(TriangleStrip);
        device->DrawUnindexed(0, 4);
    }

    void ClearAndDraw(Program* program) {
        device->Clear(ClearColor | ClearDepth, 0, 0, 0, 0, 1, 0);
        Draw(program);
    }

    Pixel At(int x, int y) { return GralithTest::ReadPixel(device, x, y); }

    Texture2D* MakeTexture(int width, int height, const std::vector<std::uint8_t>& rgba) {
        Texture2D* texture = Keep(device->CreateTexture2D(width, height, PixelFormatR8G8B8A8, false));
        texture->SetData(0, rgba.data(), false);
        return texture;
    }

    SamplerState* PointClamp() {
        return Keep(device->CreateSamplerState(
            {FilterPoint, FilterPoint, FilterNone, AddressClamp, AddressClamp, AddressClamp}));
    }

    EGLGLDevice* device = nullptr;
    VertexBuffer* quad = nullptr;
    InputLayout* layout = nullptr;
    std::vector<Shader*> shaders;
    std::vector<Program*> programs;
    std::vector<Gralith::Object*> others;
};

// A 2x2 texture: red, green (bottom row), blue, white (top row).
const std::vector<std::uint8_t> Checker = {
    255, 0, 0,   255, 0,   255, 0,   255, //
    0,   0, 255, 255, 255, 255, 255, 255,
};

} // namespace

TEST(CgDefaults, AHeadlessDeviceMadeWithTheDefaultsCompilesCg) {
    EGLGLDevice* device = EGLGLDevice::Create(8, 8);
    std::string error =
        ErrorOf([&] { device->CreateShader(VertexShader, 0, "vsMain", 0, PassThroughVertex)->Release(); });
    EXPECT_EQ("", error);
    device->Release();
}

TEST_F(CgRender, UniformUsedOnlyByThePixelStageReceivesItsValue) {
    Program* program = BuildPixel("float4 Tint;\nfloat4 psMain(float2 uv : TEXCOORD0) : COLOR { return Tint; }\n");
    Parameter* tint = program->GetParameter("Tint");
    ASSERT_TRUE(tint->IsValid());
    EXPECT_EQ(ParamFloat4, tint->GetType());
    EXPECT_EQ(1, tint->GetArraySize());
    const float value[] = {1.0f, 0.5f, 0.25f, 1.0f};
    tint->SetFloat4(1, value);
    ClearAndDraw(program);
    EXPECT_TRUE(Near(At(5, 5), 255, 128, 64));
    EXPECT_TRUE(Near(At(Size - 1, Size - 1), 255, 128, 64));
}

TEST_F(CgRender, InitialValuesFromTheSourceAreSetUntilOverwritten) {
    Program* program = BuildPixel(R"(
float4 Tint = float4(0.25, 0.5, 1.0, 1.0);
float Gain = 1.0;
bool Enabled = true;
float4 psMain() : COLOR { return Enabled ? Tint * Gain : 0.0; }
)");
    ClearAndDraw(program);
    EXPECT_TRUE(Near(At(8, 8), 64, 128, 255));
    const float half = 0.5f;
    program->GetParameter("Gain")->SetFloat(1, &half);
    ClearAndDraw(program);
    EXPECT_TRUE(Near(At(8, 8), 32, 64, 128, 128));
}

TEST_F(CgRender, SourceNumbersMeanTheSameUnderACommaDecimalLocale) {
    GralithTest::CommaLocale comma;
    ASSERT_TRUE(comma.Active());
    Program* program = BuildPixel(R"(
float Gain = 0.5;
float4 psMain() : COLOR { return float4(0.25, 0.5, 1.0, 1.0) * Gain * 1.5; }
)");
    ClearAndDraw(program);
    EXPECT_TRUE(Near(At(8, 8), 48, 96, 191, 191));
}

TEST_F(CgRender, OneParameterFeedsBothStages) {
    // Scale shrinks the quad in the vertex stage and dims the colour in the pixel stage.
    Program* program = Build(R"(
float Scale;
float4 vsMain(float2 position : POSITION) : POSITION { return float4(position * Scale, 0.0, 1.0); }
float4 psMain() : COLOR { return float4(Scale, 0.0, 1.0, 1.0); }
)");
    EXPECT_EQ(1, program->GetParameterCount());
    const float half = 0.5f;
    program->GetParameter("Scale")->SetFloat(1, &half);
    ClearAndDraw(program);
    EXPECT_TRUE(Near(At(Size / 2, Size / 2), 128, 0, 255));
    EXPECT_TRUE(Near(At(1, 1), 0, 0, 0, 0));
}

TEST_F(CgRender, ValuesSetBeforeTheProgramIsBoundAreKept) {
    Program* red = BuildPixel("float4 Tint;\nfloat4 psMain() : COLOR { return Tint; }\n");
    Program* green = BuildPixel("float4 Color;\nfloat4 psMain() : COLOR { return Color; }\n");
    device->SetProgram(red);
    const float r[] = {1, 0, 0, 1}, g[] = {0, 1, 0, 1};
    // green is not current: the upload must reach green, not the bound program.
    green->GetParameter("Color")->SetFloat4(1, g);
    red->GetParameter("Tint")->SetFloat4(1, r);
    ClearAndDraw(green);
    EXPECT_TRUE(Near(At(3, 3), 0, 255, 0));
    ClearAndDraw(red);
    EXPECT_TRUE(Near(At(3, 3), 255, 0, 0));
}

TEST_F(CgRender, EverySetterReachesItsUniform) {
    Program* program = BuildPixel(R"(
float F; float2 F2; float3 F3;
int I; int2 I2; int4 I4;
bool B; bool3 B3;
float4 Lights[3];
float4 psMain(float2 uv : TEXCOORD0) : COLOR {
    if (uv.x < 0.25) return float4(F, F2, 1.0);
    if (uv.x < 0.5) return float4(F3, 1.0);
    if (uv.x < 0.75) return float4(I / 4.0, I2.y / 4.0, I4.w / 4.0, 1.0);
    if (uv.y < 0.5) return float4(B ? 1.0 : 0.0, B3.y ? 1.0 : 0.0, B3.z ? 1.0 : 0.0, 1.0);
    return Lights[2];
}
)");
    const float f = 0.25f, f2[] = {0.5f, 0.75f}, f3[] = {1.0f, 0.5f, 0.0f};
    const std::int32_t i = 1, i2[] = {0, 2}, i4[] = {0, 0, 0, 3};
    const std::int32_t b = 7, b3[] = {0, 1, 0};
    const float lights[] = {0, 0, 0, 1, 0, 0, 0, 1, 0.5f, 1.0f, 0.0f, 1.0f};
    program->GetParameter("F")->SetFloat(1, &f);
    program->GetParameter("F2")->SetFloat2(1, f2);
    program->GetParameter("F3")->SetFloat3(1, f3);
    program->GetParameter("I")->SetInt(1, &i);
    program->GetParameter("I2")->SetInt2(1, i2);
    program->GetParameter("I4")->SetInt4(1, i4);
    program->GetParameter("B")->SetBool(1, &b);
    program->GetParameter("B3")->SetBool3(1, b3);
    program->GetParameter("Lights")->SetFloat4(3, lights);
    EXPECT_EQ(ParamInt2, program->GetParameter("I2")->GetType());
    EXPECT_EQ(ParamBool3, program->GetParameter("B3")->GetType());
    EXPECT_EQ(3, program->GetParameter("Lights")->GetArraySize());
    ClearAndDraw(program);
    EXPECT_TRUE(Near(At(2, 2), 64, 128, 191));
    EXPECT_TRUE(Near(At(12, 2), 255, 128, 0));
    EXPECT_TRUE(Near(At(20, 2), 64, 128, 191));
    EXPECT_TRUE(Near(At(28, 2), 255, 255, 0));
    EXPECT_TRUE(Near(At(28, 28), 128, 255, 0));
}

TEST_F(CgRender, TexturedQuadThroughASamplerUniform) {
    Program* program = BuildPixel(
        "sampler2D DiffuseMap;\nfloat4 psMain(float2 uv : TEXCOORD0) : COLOR { return tex2D(DiffuseMap, uv); }\n");
    Parameter* map = program->GetParameter("DiffuseMap");
    EXPECT_EQ(ParamSampler2D, map->GetType());
    map->SetSampler(MakeTexture(2, 2, Checker), PointClamp());
    ClearAndDraw(program);
    EXPECT_TRUE(Near(At(4, 4), 255, 0, 0));
    EXPECT_TRUE(Near(At(28, 4), 0, 255, 0));
    EXPECT_TRUE(Near(At(4, 28), 0, 0, 255));
    EXPECT_TRUE(Near(At(28, 28), 255, 255, 255));
}

TEST_F(CgRender, SamplersGetTheirOwnTextureUnits) {
    Program* program = BuildPixel(R"(
sampler2D A; sampler2D B;
float4 psMain(float2 uv : TEXCOORD0) : COLOR { return tex2D(A, uv) * 0.5 + tex2D(B, uv) * 0.5; }
)");
    program->GetParameter("A")->SetSampler(MakeTexture(1, 1, {255, 0, 0, 255}));
    program->GetParameter("B")->SetSampler(MakeTexture(1, 1, {0, 0, 255, 255}));
    ClearAndDraw(program);
    EXPECT_TRUE(Near(At(16, 16), 128, 0, 128));
}

TEST_F(CgRender, MulOfMatrixAndVectorUsesTheColumnMajorMatrixAsIs) {
    // A small quad at the origin translated by +0.5 in x: with element [r, c] at c * 4 + r the
    // translation sits in elements 12-14.
    Program* program = Build(R"(
float4x4 WorldViewProjection;
float4 vsMain(float2 position : POSITION) : POSITION {
    return mul(WorldViewProjection, float4(position * 0.25, 0.0, 1.0));
}
float4 psMain() : COLOR { return float4(1.0, 1.0, 1.0, 1.0); }
)");
    const float translate[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0.5f, 0, 0, 1};
    program->GetParameter("WorldViewProjection")->SetMatrix4x4(1, translate);
    ClearAndDraw(program);
    // Covered x range is 0.25..0.75 in clip space: pixels 20..27.
    EXPECT_TRUE(Near(At(24, 16), 255, 255, 255));
    EXPECT_TRUE(Near(At(16, 16), 0, 0, 0, 0));
    EXPECT_TRUE(Near(At(8, 16), 0, 0, 0, 0));
}

TEST_F(CgRender, IntrinsicsMissingFromGlsl120AreProvided) {
    Program* program = BuildPixel(R"(
float4 V;
float4 psMain() : COLOR {
    if (V.w > 1.0) {
        float whole;
        float part = modf(-V.w, whole);
        return float4(-part, -whole / 4.0, ldexp(V.x, 2) / 8.0, isinf(V.x) || isnan(V.x) ? 0.0 : 1.0);
    }
    return float4((trunc(V.x) - trunc(-V.x)) * 0.25, sinh(V.y), cosh(V.z) - 0.5, tanh(V.w));
}
)");
    const float v[] = {1.75f, 0.5f, 0.5f, 0.5f};
    program->GetParameter("V")->SetFloat4(1, v);
    ClearAndDraw(program);
    // trunc: (1 + 1) / 4; sinh(0.5) = 0.521; cosh(0.5) - 0.5 = 0.628; tanh(0.5) = 0.462.
    EXPECT_TRUE(Near(At(8, 8), 128, 133, 160, 118));
    // modf(-2.25) = -0.25 and -2; ldexp(1.75, 2) = 7.
    const float w[] = {1.75f, 0.5f, 0.5f, 2.25f};
    program->GetParameter("V")->SetFloat4(1, w);
    ClearAndDraw(program);
    EXPECT_TRUE(Near(At(8, 8), 64, 128, 223, 255));
}

TEST_F(CgRender, CompileErrorsComeBackWithTheCompilerListing) {
    std::string error = ErrorOf([&] {
        device->CreateShader(PixelShader, 0, "psMain", 0, "float4 psMain() : COLOR {\n  return missing;\n}\n");
    });
    EXPECT_EQ(0, error.find("The compile returned an error.\n\nERROR: psMain:2: 'missing' : unknown variable"))
        << error;
    EXPECT_EQ("|0", error.substr(error.size() - 2));
    EXPECT_EQ("The compile returned an error.\n\nERROR: vsMain: entry point 'vsMain' not found\n\n|0", ErrorOf([&] {
                  device->CreateShader(VertexShader, 0, "vsMain", 0, "float4 psMain() : COLOR { return 1; }");
              }));
}

TEST_F(CgRender, VaryingsOfOtherWidthsAreConvertedAsInCg) {
    // The vertex stage writes a float4 and a float2; the pixel stage reads them as float2 and
    // float4 (missing components read as 0, w as 1).
    Program* program = Build(R"(
void vsMain(float2 position : POSITION, out float4 p : POSITION, out float4 wide : TEXCOORD0, out float2 narrow : TEXCOORD1) {
    p = float4(position, 0.0, 1.0);
    wide = float4(0.25, 0.5, 0.75, 0.0);
    narrow = float2(0.75, 0.25);
}
float4 psMain(float2 wide : TEXCOORD0, float4 narrow : TEXCOORD1) : COLOR {
    return float4(wide.x, wide.y, narrow.x * 0.5 + narrow.z, narrow.w * 0.5 + narrow.y);
}
)");
    ClearAndDraw(program);
    EXPECT_TRUE(Near(At(8, 8), 64, 128, 96, 191));
}

TEST_F(CgRender, SemanticMapRoutesLayoutSlotsToShaderInputs) {
    // Slot 5 carries the uv as TEXCOORD0 and slot 1 a colour as generic attribute 6 (ATTR6).
    Program* program = Build(R"(
struct VSOut { float4 position : POSITION; float2 uv : TEXCOORD0; float4 color : COLOR0; };
VSOut vsMain(float2 position : POSITION, float2 uv : TEXCOORD0, float4 color : ATTR6) {
    VSOut o; o.position = float4(position, 0.0, 1.0); o.uv = uv; o.color = color; return o;
}
float4 psMain(float2 uv : TEXCOORD0, float4 color : COLOR0) : COLOR { return float4(uv.x, color.g, color.b, 1.0); }
)");
    const char* names[SlotLimit] = {"POSITION", "ATTR6", nullptr, nullptr, nullptr, "TEXCOORD0"};
    SemanticMap* map = Keep(device->CreateSemanticMap(names));
    const float vertices[] = {
        -1, -1, 0, 0, 0, 0.5f, 1, //
        1,  -1, 1, 0, 0, 0.5f, 1, //
        -1, 1,  0, 1, 0, 0.5f, 1, //
        1,  1,  1, 1, 0, 0.5f, 1,
    };
    VertexBuffer* buffer = Keep(device->CreateVertexBuffer(BufferModeStatic, sizeof(vertices), 7 * sizeof(float)));
    buffer->SetData(vertices, 0, sizeof(vertices));
    const InputElementDesc elements[] = {
        {0, 0, 2, 0, DataTypeFloat32, 0},
        {5, 0, 2, 2 * sizeof(float), DataTypeFloat32, 0},
        {1, 0, 3, 4 * sizeof(float), DataTypeFloat32, 0},
    };
    InputLayout* custom = Keep(device->CreateInputLayout(elements, 3));
    device->SetSemanticMap(map);
    device->SetProgram(program);
    device->SetVertexBuffer(0, buffer);
    device->SetInputLayout(custom);
    device->SetPrimitiveType(TriangleStrip);
    device->Clear(ClearColor | ClearDepth, 0, 0, 0, 0, 1, 0);
    device->DrawUnindexed(0, 4);
    EXPECT_TRUE(Near(At(31, 16), 251, 128, 255));
    EXPECT_TRUE(Near(At(0, 16), 4, 128, 255));
}
