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

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

using namespace Gralith::Graphics;
using Gralith::Exception;

namespace {

constexpr int Size = 32;

struct Pixel {
    int r, g, b, a;
};

std::ostream& operator<<(std::ostream& out, const Pixel& p) {
    return out << "(" << p.r << ", " << p.g << ", " << p.b << ", " << p.a << ")";
}

// Colour channels are compared after 8-bit quantisation.
::testing::AssertionResult Near(const Pixel& actual, int r, int g, int b, int a = 255) {
    if (std::abs(actual.r - r) <= 2 && std::abs(actual.g - g) <= 2 && std::abs(actual.b - b) <= 2 &&
        std::abs(actual.a - a) <= 2)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "pixel " << actual << ", expected (" << r << ", " << g << ", " << b << ", "
                                         << a << ")";
}

GLShadingContext* MakeShading(GLDevice* device) { return new CGShadingContext(device); }

// The exception a call throws, as "message|code", or "" when it throws none.
template <class F>
std::string ErrorOf(F call) {
    try {
        call();
    } catch (const Exception& e) {
        return std::string(e.GetMessage()) + "|" + std::to_string(e.GetCode());
    }
    return "";
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

    Pixel At(int x, int y) {
        std::uint8_t rgba[4] = {};
        device->ReadSurface(device->GetBackBuffer(), x, y, 1, 1, rgba);
        return {rgba[0], rgba[1], rgba[2], rgba[3]};
    }

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

TEST_F(CgRender, AProgramCreatedAfterTheBoundOneWasReleasedIsBound) {
    std::string red = std::string(PassThroughVertex) + "float4 psMain() : COLOR { return float4(1, 0, 0, 1); }\n";
    std::string green = std::string(PassThroughVertex) + "float4 psMain() : COLOR { return float4(0, 1, 0, 1); }\n";
    Shader* vertex = Compile(VertexShader, red, "vsMain");
    Shader* pixels[] = {Compile(PixelShader, red, "psMain"), Compile(PixelShader, green, "psMain")};
    // Each new program is likely to take the released one's memory, and with it its address.
    for (int round = 0; round < 4; ++round) {
        Program* program = device->CreateProgram(vertex, pixels[round % 2]);
        ClearAndDraw(program);
        EXPECT_TRUE(round % 2 ? Near(At(8, 8), 0, 255, 0) : Near(At(8, 8), 255, 0, 0)) << "round " << round;
        program->Release();
    }
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

TEST_F(CgRender, ValuesOfAnotherWidthOrBaseTypeAreConverted) {
    Program* program = BuildPixel(R"(
float4 Wide; int Count; float Level;
float4 psMain(float2 uv : TEXCOORD0) : COLOR {
    if (uv.x < 0.5) return Wide;
    return float4(Count / 4.0, Level, 0.0, 1.0);
}
)");
    const float two[] = {1.0f, 0.5f};
    const float countAsFloat = 2.0f;
    const std::int32_t levelAsInt = 1;
    program->GetParameter("Wide")->SetFloat2(1, two); // missing components become 0
    program->GetParameter("Count")->SetFloat(1, &countAsFloat);
    program->GetParameter("Level")->SetInt(1, &levelAsInt);
    ClearAndDraw(program);
    EXPECT_TRUE(Near(At(4, 4), 255, 128, 0, 0));
    EXPECT_TRUE(Near(At(28, 4), 128, 255, 0));
}

TEST_F(CgRender, ArraysTakeAtMostTheirLengthAndPartialUpdatesStartAtElementZero) {
    Program* program = BuildPixel(R"(
float4 Colors[2];
float4 psMain(float2 uv : TEXCOORD0) : COLOR { return uv.x < 0.5 ? Colors[0] : Colors[1]; }
)");
    Parameter* colors = program->GetParameter("Colors");
    const float three[] = {1, 0, 0, 1, 0, 1, 0, 1, 0, 0, 1, 1};
    colors->SetFloat4(3, three);
    const float one[] = {1, 1, 0, 1};
    colors->SetFloat4(1, one);
    ClearAndDraw(program);
    EXPECT_TRUE(Near(At(4, 4), 255, 255, 0));
    EXPECT_TRUE(Near(At(28, 4), 0, 255, 0));
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

TEST_F(CgRender, DefaultSamplingIsLinearAndWraps) {
    // uv runs from 0 to 2: wrapping repeats the texture, so the centre shows texel 0 again, and
    // linear filtering blends neighbouring texels at the border between them.
    Program* program =
        BuildPixel("sampler2D Map;\nfloat4 psMain(float2 uv : TEXCOORD0) : COLOR { return tex2D(Map, uv * 2.0); }\n");
    std::vector<std::uint8_t> stripes = {0, 0, 0, 255, 255, 255, 255, 255};
    program->GetParameter("Map")->SetSampler(MakeTexture(2, 1, stripes));
    ClearAndDraw(program);
    // Pixel 6 samples u = 6.5 / 32 * 2 = 0.406, 0.3125 texels past the centre of texel 0: 31% of
    // the white texel with linear filtering, none with point sampling.
    Pixel mixed = At(6, 0);
    EXPECT_GT(mixed.r, 60);
    EXPECT_LT(mixed.r, 100);
    // u = 0.094 and 1.094 (clamping would give white for the second).
    EXPECT_EQ(At(1, 0).r, At(17, 0).r) << "wrap repeats the texture";
}

TEST_F(CgRender, CubeSamplersLookUpTheFaceOfTheDirection) {
    Program* program = BuildPixel(R"(
samplerCUBE Sky;
float4 psMain(float2 uv : TEXCOORD0) : COLOR {
    return uv.x < 0.5 ? texCUBE(Sky, float3(1.0, 0.1, 0.1)) : texCUBE(Sky, float3(0.1, 0.1, -1.0));
}
)");
    TextureCube* cube = Keep(device->CreateTextureCube(1, PixelFormatR8G8B8A8, false));
    const std::uint8_t faces[6][4] = {{255, 0, 0, 255},   {0, 255, 0, 255},   {0, 0, 255, 255},
                                      {255, 255, 0, 255}, {0, 255, 255, 255}, {255, 0, 255, 255}};
    for (int face = 0; face < 6; ++face)
        cube->SetData(static_cast<CubeFace>(face), 0, faces[face], false);
    Parameter* sky = program->GetParameter("Sky");
    EXPECT_EQ(ParamSamplerCube, sky->GetType());
    sky->SetSampler(cube);
    ClearAndDraw(program);
    EXPECT_TRUE(Near(At(4, 16), 255, 0, 0));
    EXPECT_TRUE(Near(At(28, 16), 255, 0, 255));
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

TEST_F(CgRender, ProgramsRebindTheirOwnTexturesWhenBound) {
    const char* source = "sampler2D Map;\nfloat4 psMain(float2 uv : TEXCOORD0) : COLOR { return tex2D(Map, uv); }\n";
    Program* first = BuildPixel(source);
    Program* second = BuildPixel(source);
    device->SetProgram(first);
    first->GetParameter("Map")->SetSampler(MakeTexture(1, 1, {255, 0, 0, 255}));
    second->GetParameter("Map")->SetSampler(MakeTexture(1, 1, {0, 255, 0, 255}));
    ClearAndDraw(first);
    EXPECT_TRUE(Near(At(8, 8), 255, 0, 0));
    ClearAndDraw(second);
    EXPECT_TRUE(Near(At(8, 8), 0, 255, 0));
    ClearAndDraw(first);
    EXPECT_TRUE(Near(At(8, 8), 255, 0, 0));
}

TEST_F(CgRender, AProgramHoldsTheTexturesSetOnItsSamplers) {
    Program* program =
        BuildPixel("sampler2D Map;\nfloat4 psMain(float2 uv : TEXCOORD0) : COLOR { return tex2D(Map, uv); }\n");
    Texture2D* red = device->CreateTexture2D(1, 1, PixelFormatR8G8B8A8, false);
    const std::uint8_t redTexel[] = {255, 0, 0, 255};
    red->SetData(0, redTexel, false);
    program->GetParameter("Map")->SetSampler(red);
    EXPECT_EQ(2, red->GetRefCount());
    // The caller lets go and makes another texture: the program still draws with the red one.
    red->Release();
    MakeTexture(1, 1, {0, 255, 0, 255});
    ClearAndDraw(program);
    EXPECT_TRUE(Near(At(8, 8), 255, 0, 0));

    // Setting the same texture again keeps one reference; replacing it lets it go.
    Texture2D* blue = MakeTexture(1, 1, {0, 0, 255, 255});
    program->GetParameter("Map")->SetSampler(blue);
    program->GetParameter("Map")->SetSampler(blue);
    EXPECT_EQ(2, blue->GetRefCount());
    program->GetParameter("Map")->SetSampler(nullptr);
    EXPECT_EQ(1, blue->GetRefCount());
}

TEST_F(CgRender, SamplerArrayElementsTakeOneTextureEach) {
    Program* program = BuildPixel(R"(
sampler2D Maps[2];
float4 psMain(float2 uv : TEXCOORD0) : COLOR { return uv.x < 0.5 ? tex2D(Maps[0], uv) : tex2D(Maps[1], uv); }
)");
    Parameter* maps = program->GetParameter("Maps");
    EXPECT_EQ(2, maps->GetArraySize());
    Texture* textures[] = {MakeTexture(1, 1, {255, 0, 0, 255}), MakeTexture(1, 1, {0, 0, 255, 255})};
    SamplerState* states[] = {PointClamp(), PointClamp()};
    maps->SetSamplers(2, textures, states);
    ClearAndDraw(program);
    EXPECT_TRUE(Near(At(4, 4), 255, 0, 0));
    EXPECT_TRUE(Near(At(28, 4), 0, 0, 255));
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

TEST_F(CgRender, ThreeByThreeMatricesFollowTheSameConvention) {
    Program* program = BuildPixel(R"(
float3x3 Mix;
float4 psMain() : COLOR { return float4(mul(Mix, float3(1.0, 0.0, 0.0)), 1.0); }
)");
    // mul(Mix, x axis) is the first column: elements 0, 1, 2.
    const float mix[9] = {0.25f, 0.5f, 1.0f, 0, 0, 0, 0, 0, 0};
    program->GetParameter("Mix")->SetMatrix3x3(1, mix);
    ClearAndDraw(program);
    EXPECT_TRUE(Near(At(8, 8), 64, 128, 255));
}

TEST_F(CgRender, SmallerMatrixFillsTheUpperLeftOfIdentity) {
    Program* program = BuildPixel(R"(
float4x4 M;
float4 psMain() : COLOR { return mul(M, float4(0.0, 0.0, 0.5, 1.0)); }
)");
    const float scale[9] = {1, 0, 0, 0, 1, 0, 0, 0, 0.5f};
    program->GetParameter("M")->SetMatrix3x3(1, scale);
    ClearAndDraw(program);
    EXPECT_TRUE(Near(At(8, 8), 0, 0, 64));
}

TEST_F(CgRender, MatrixCountLimitIs256) {
    Program* program = BuildPixel(R"(
float2x2 Bones[256];
float4 psMain() : COLOR { return float4(Bones[255][0], 0.0, 1.0); }
)");
    Parameter* bones = program->GetParameter("Bones");
    std::vector<float> data(257 * 16, 0.0f);
    for (int m = 0; m < 257; ++m)
        data[static_cast<size_t>(m * 16)] = 1.0f; // [0, 0] = 1
    bones->SetMatrix4x4(256, data.data());
    EXPECT_EQ("Number of matrices too large, 256 is max|3", ErrorOf([&] { bones->SetMatrix4x4(257, data.data()); }));
    ClearAndDraw(program);
    // Row 0 of the last matrix (its upper-left 2x2 corner): [0, 0] = 1, [0, 1] = 0.
    EXPECT_TRUE(Near(At(8, 8), 255, 0, 0));
    // The refused call changed nothing.
    std::vector<float> other(257 * 16, 1.0f);
    EXPECT_NE("", ErrorOf([&] { bones->SetMatrix4x4(257, other.data()); }));
    ClearAndDraw(program);
    EXPECT_TRUE(Near(At(8, 8), 255, 0, 0));
}

TEST_F(CgRender, UnknownParameterIsInvalidCachedAndIgnoresSetters) {
    Program* program = BuildPixel("float4 Tint;\nfloat4 psMain() : COLOR { return Tint; }\n");
    Parameter* missing = program->GetParameter("NoSuchThing");
    ASSERT_NE(nullptr, missing);
    EXPECT_EQ(missing, program->GetParameter("NoSuchThing"));
    EXPECT_STREQ("NoSuchThing", missing->GetName());
    EXPECT_FALSE(missing->IsValid());
    EXPECT_EQ(0, missing->GetArraySize());
    EXPECT_EQ("GetParameterType(): Parameter is not valid|0", ErrorOf([&] { missing->GetType(); }));
    EXPECT_EQ(1, program->GetParameterCount()) << "an unknown name does not join the link-time list";

    const float tint[] = {0, 1, 0, 1};
    program->GetParameter("Tint")->SetFloat4(1, tint);
    const float values[16] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
    const std::int32_t ints[4] = {1, 1, 1, 1};
    missing->SetFloat4(1, values);
    missing->SetInt4(1, ints);
    missing->SetBool(1, ints);
    missing->SetMatrix4x4(1, values);
    missing->SetSampler(MakeTexture(1, 1, {255, 255, 255, 255}));
    ClearAndDraw(program);
    EXPECT_TRUE(Near(At(8, 8), 0, 255, 0));
}

TEST_F(CgRender, ParametersAreCachedByName) {
    Program* program = BuildPixel("float4 Tint;\nfloat4 psMain() : COLOR { return Tint; }\n");
    Parameter* tint = program->GetParameter("Tint");
    EXPECT_EQ(tint, program->GetParameter("Tint"));
    EXPECT_EQ(tint, program->GetParameter(0));
    EXPECT_NE(tint, program->GetParameter("tint")) << "names are case-sensitive";
}

TEST_F(CgRender, LinkTimeListHoldsBothStagesInByteWiseNameOrder) {
    Program* program = Build(R"(
float4 b; float4 Z; float4x4 _world; float A; sampler2D a;
float4 vsMain(float2 position : POSITION) : POSITION { return mul(_world, float4(position, 0.0, 1.0)) + b; }
float4 psMain() : COLOR { return tex2D(a, float2(0.5, 0.5)) * A + Z; }
)");
    const char* expected[] = {"A", "Z", "_world", "a", "b"};
    ASSERT_EQ(5, program->GetParameterCount());
    for (int i = 0; i < 5; ++i)
        EXPECT_STREQ(expected[i], program->GetParameter(i)->GetName()) << i;
    EXPECT_EQ(program->GetParameter("_world"), program->GetParameter(2));
    EXPECT_EQ(nullptr, program->GetParameter(5));
    EXPECT_EQ(nullptr, program->GetParameter(-1));
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(program->GetParameter(i)->IsValid());
}

TEST_F(CgRender, StructureMembersAreParametersOfTheirOwn) {
    Program* program = BuildPixel(R"(
struct Light { float intensity; float4 color; };
Light Lamps[2];
float4 psMain(float2 uv : TEXCOORD0) : COLOR { return Lamps[1].color * Lamps[1].intensity + Lamps[0].color; }
)");
    ASSERT_EQ(4, program->GetParameterCount());
    EXPECT_STREQ("Lamps[0].color", program->GetParameter(0)->GetName());
    EXPECT_STREQ("Lamps[1].intensity", program->GetParameter(3)->GetName());
    const float color0[] = {0, 0, 0.5f, 0}, color1[] = {1, 0.5f, 0, 1}, intensity = 0.5f;
    program->GetParameter("Lamps[0].color")->SetFloat4(1, color0);
    program->GetParameter("Lamps[1].color")->SetFloat4(1, color1);
    program->GetParameter("Lamps[1].intensity")->SetFloat(1, &intensity);
    EXPECT_FALSE(program->GetParameter("Lamps")->IsValid());
    ClearAndDraw(program);
    EXPECT_TRUE(Near(At(8, 8), 128, 64, 128, 128));
}

TEST_F(CgRender, CommonIntrinsicsAreAcceptedByTheDriver) {
    Program* program = BuildPixel(R"(
sampler2D Map; samplerCUBE Sky; float4 Params; float Threshold;
float4 psMain(float2 uv : TEXCOORD0) : COLOR {
    float4 c = tex2D(Map, uv);
    clip(c.a - Threshold);
    c += tex2Dproj(Map, float4(uv, 0.0, 1.0)) + tex2Dbias(Map, float4(uv, 0.0, 1.0));
    c += tex2Dlod(Map, float4(uv, 0.0, 0.0)) + tex2Dgrad(Map, uv, ddx(uv), ddy(uv));
    c += texCUBE(Sky, reflect(normalize(float3(uv, 1.0)), float3(0.0, 0.0, 1.0)));
    c.rgb = lerp(c.rgb, saturate(pow(c.rgb, 2.2)), Params.x);
    c.r += frac(uv.x * 4.0) + step(0.5, uv.x) + smoothstep(0.2, 0.8, uv.y);
    for (int i = 0; i < 4; i++)
        c.b += Params[i];
    return c * 0.0 + float4(0.0, 1.0, 0.0, 1.0);
}
)");
    const float threshold = 2.0f;
    program->GetParameter("Map")->SetSampler(MakeTexture(1, 1, {255, 255, 255, 255}));
    ClearAndDraw(program);
    EXPECT_TRUE(Near(At(8, 8), 0, 255, 0));
    // clip() discards every pixel once the threshold is above the texture's alpha.
    program->GetParameter("Threshold")->SetFloat(1, &threshold);
    ClearAndDraw(program);
    EXPECT_TRUE(Near(At(8, 8), 0, 0, 0, 0));
}

TEST_F(CgRender, LitComputesTheSpecularPower) {
    // lit(n.l, n.h, m) = (1, max(n.l, 0), n.l < 0 || n.h < 0 ? 0 : pow(n.h, m), 1).
    Program* program = BuildPixel(R"(
float3 Terms;
float4 psMain() : COLOR { return lit(Terms.x, Terms.y, Terms.z).yzxw * float4(1.0, 1.0, 0.0, 1.0); }
)");
    const float terms[] = {0.5f, 0.5f, 2.0f};
    program->GetParameter("Terms")->SetFloat3(1, terms);
    ClearAndDraw(program);
    EXPECT_TRUE(Near(At(8, 8), 128, 64, 0));
    const float away[] = {-0.5f, 0.5f, 2.0f};
    program->GetParameter("Terms")->SetFloat3(1, away);
    ClearAndDraw(program);
    EXPECT_TRUE(Near(At(8, 8), 0, 0, 0));
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

TEST_F(CgRender, ParametersNamedWithWordsGlslReservesAreSetUnderTheirCgNames) {
    Program* program = BuildPixel(R"(
struct Channels { float input; float output; };
Channels output;
float noise;
sampler2D filter;
float4 psMain(float2 uv : TEXCOORD0) : COLOR { return float4(output.input, output.output, noise, 1.0) * tex2D(filter, uv); }
)");
    const float a = 0.25f, b = 0.5f, c = 1.0f;
    program->GetParameter("output.input")->SetFloat(1, &a);
    program->GetParameter("output.output")->SetFloat(1, &b);
    program->GetParameter("noise")->SetFloat(1, &c);
    program->GetParameter("filter")->SetSampler(MakeTexture(1, 1, {255, 255, 255, 255}));
    ClearAndDraw(program);
    EXPECT_TRUE(Near(At(8, 8), 64, 128, 255));
}

TEST_F(CgRender, NoiseIsSmoothAndWithinZeroToOne) {
    Program* program = BuildPixel(R"(
float4 psMain(float2 uv : TEXCOORD0) : COLOR {
    float a = noise(uv * 8.0);
    float b = noise(uv * 8.0 + float2(0.01, 0.0));
    return float4(a, abs(a - b) * 10.0, noise(3.0) == noise(float3(3.0, 0.0, 0.0)) ? 1.0 : 0.0, 1.0);
}
)");
    ClearAndDraw(program);
    int distinct = 0;
    for (int x = 0; x < Size; x += 4) {
        Pixel p = At(x, 9);
        EXPECT_LT(p.g, 40) << "neighbouring positions give close values at x " << x;
        EXPECT_EQ(255, p.b);
        distinct += p.r != At(0, 9).r;
    }
    EXPECT_GT(distinct, 3) << "noise varies over the target";
}

TEST_F(CgRender, UnaddressableTypesAreValidButHaveNoType) {
    Program* program = BuildPixel(R"(
#pragma pack_matrix(row_major)
float4x3 Skew;
float4 psMain(float2 uv : TEXCOORD0) : COLOR { return mul(Skew, uv.xyx); }
)");
    Parameter* skew = program->GetParameter("Skew");
    EXPECT_TRUE(skew->IsValid());
    EXPECT_EQ("GetParameterType(): Data type not supported by Gralith 2|0", ErrorOf([&] { skew->GetType(); }));
    const float values[16] = {};
    skew->SetMatrix4x4(1, values);
    skew->SetFloat4(1, values);
}

TEST_F(CgRender, ThreeDimensionalTexturesAreRefusedBySamplers) {
    class Volume : public Texture {
    public:
        PixelFormat GetPixelFormat() const override { return PixelFormatR8G8B8A8; }
        TextureType GetType() const override { return TextureType::Texture3D; }
        void GenerateMipmaps() override {}
    };
    Program* program =
        BuildPixel("sampler2D Map;\nfloat4 psMain(float2 uv : TEXCOORD0) : COLOR { return tex2D(Map, uv); }\n");
    Volume* volume = Keep(new Volume());
    EXPECT_EQ("SetSampler(): 3D textures not supported by this device (yet)|0",
              ErrorOf([&] { program->GetParameter("Map")->SetSampler(volume); }));
}

TEST_F(CgRender, ShaderAndProgramRefusals) {
    const char* source = "float4 psMain() : COLOR { return 1.0; }";
    EXPECT_EQ("Non-default geometry shaders is not supported by this backend|2",
              ErrorOf([&] { device->CreateShader(GeometryShader, 0, "gsMain", 0, source); }));
    EXPECT_EQ("Invalid shader type enum|4",
              ErrorOf([&] { device->CreateShader(static_cast<ShaderType>(3), 0, "psMain", 0, source); }));
    EXPECT_EQ("Only CG text shaders is supported by this backend|2",
              ErrorOf([&] { device->CreateShader(PixelShader, 1, "psMain", 0, source); }));

    Program* program = BuildPixel("float4 psMain() : COLOR { return 1.0; }\n");
    device->SetProgram(program);
    Shader* vertex = shaders[0];
    Shader* pixel = shaders[1];
    EXPECT_EQ("This implementation does not support geometry shaders|0",
              ErrorOf([&] { device->CreateProgram(vertex, pixel, pixel); }));
    EXPECT_EQ(program, device->GetProgram());
    EXPECT_EQ("A program needs a vertex shader and a pixel shader of this device|4",
              ErrorOf([&] { device->CreateProgram(pixel, vertex); }));
    EXPECT_NE("", ErrorOf([&] { device->CreateProgram(nullptr, pixel); }));
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

TEST_F(CgRender, VaryingNeverWrittenFailsToLinkWithTheDriversReason) {
    std::string source = R"(
float4 vsMain(float2 position : POSITION) : POSITION { return float4(position, 0, 1); }
float4 psMain(float2 uv : TEXCOORD3) : COLOR { return uv.xyxy; }
)";
    Shader* vertex = Compile(VertexShader, source, "vsMain");
    Shader* pixel = Compile(PixelShader, source, "psMain");
    std::string error = ErrorOf([&] { device->CreateProgram(vertex, pixel)->Release(); });
    EXPECT_EQ(0, error.find("The program could not be linked:\n")) << error;
    EXPECT_EQ("|0", error.substr(error.size() - 2));
}

TEST_F(CgRender, SemanticMapNamesAndMessages) {
    auto create = [&](const char* name, int slot = 1) {
        const char* names[SlotLimit] = {};
        names[slot] = name;
        return ErrorOf([&] { device->CreateSemanticMap(names)->Release(); });
    };
    const std::string refused = "The semantic is not supported by this backend (OpenGL+CG)|3";
    EXPECT_EQ("", create("POSITION"));
    EXPECT_EQ("", create("NORMAL"));
    EXPECT_EQ("", create("COLOR"));
    EXPECT_EQ("", create("TEXCOORD"));
    EXPECT_EQ("", create("TEXCOORD0"));
    EXPECT_EQ("", create("TEXCOORD7"));
    EXPECT_EQ("", create("ATTR3"));
    EXPECT_EQ("", create("ATTR15", 15));
    EXPECT_EQ(refused, create("TEXCOORD8"));
    EXPECT_EQ(refused, create("ATTR16"));
    EXPECT_EQ(refused, create("TANGENT"));
    EXPECT_EQ(refused, create("POSITION0"));
    EXPECT_EQ(refused, create("position"));
    EXPECT_EQ(refused, create("TEXCOORD3x"));
    EXPECT_EQ(refused, create("TEXCOORD-1"));
    EXPECT_EQ(refused, create(""));
    EXPECT_EQ("", ErrorOf([&] { device->CreateSemanticMap(nullptr)->Release(); }));
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

TEST_F(CgRender, ColourBytesReachTheShaderNormalized) {
    Program* program = Build(R"(
struct VSOut { float4 position : POSITION; float4 color : COLOR0; };
VSOut vsMain(float2 position : POSITION, float4 color : COLOR) {
    VSOut o; o.position = float4(position, 0.0, 1.0); o.color = color; return o;
}
float4 psMain(float4 color : COLOR0) : COLOR { return color; }
)");
    struct Vertex {
        float x, y;
        std::uint8_t rgba[4];
    };
    const Vertex vertices[] = {
        {-1, -1, {255, 128, 0, 255}},
        {1, -1, {255, 128, 0, 255}},
        {-1, 1, {255, 128, 0, 255}},
        {1, 1, {255, 128, 0, 255}},
    };
    VertexBuffer* buffer = Keep(device->CreateVertexBuffer(BufferModeStatic, sizeof(vertices), sizeof(Vertex)));
    buffer->SetData(vertices, 0, sizeof(vertices));
    const InputElementDesc elements[] = {
        {0, 0, 2, 0, DataTypeFloat32, 0},
        {3, 0, 4, 2 * sizeof(float), DataTypeUInt8, 1},
    };
    InputLayout* colored = Keep(device->CreateInputLayout(elements, 2));
    device->SetProgram(program);
    device->SetVertexBuffer(0, buffer);
    device->SetInputLayout(colored);
    device->SetPrimitiveType(TriangleStrip);
    device->Clear(ClearColor | ClearDepth, 0, 0, 0, 0, 1, 0);
    device->DrawUnindexed(0, 4);
    EXPECT_TRUE(Near(At(16, 16), 255, 128, 0));
}

TEST_F(CgRender, AttributeKindsRefuseWhatTheirArraysCannotTake) {
    auto* shading = static_cast<CGShadingContext*>(device->GetShadingContext());
    const char* names[SlotLimit] = {"POSITION", "NORMAL", "COLOR", "TEXCOORD1", "ATTR4"};
    SemanticMap* map = Keep(device->CreateSemanticMap(names));
    shading->SetSemanticMap(map);
    const unsigned int byteType = 0x1400, unsignedByte = 0x1401, floatType = 0x1406;
    EXPECT_EQ("OpenGL2-devices can not normalize non-float for the POSITION semantic|2",
              ErrorOf([&] { shading->EnableAttribute(0, 3, unsignedByte, 12, true, 0); }));
    EXPECT_EQ("OpenGL2-devices can not use 8-bit integers for the POSITION semantic|2",
              ErrorOf([&] { shading->EnableAttribute(0, 3, byteType, 12, false, 0); }));
    EXPECT_EQ("OpenGL2-devices can not use un-normalized non-float normals|2",
              ErrorOf([&] { shading->EnableAttribute(1, 3, byteType, 12, false, 0); }));
    EXPECT_EQ("OpenGL2-devices can not use un-normalized non-float colors|2",
              ErrorOf([&] { shading->EnableAttribute(2, 4, unsignedByte, 4, false, 0); }));
    EXPECT_EQ("", ErrorOf([&] { shading->EnableAttribute(0, 3, floatType, 12, false, 0); }));
    EXPECT_EQ("", ErrorOf([&] { shading->EnableAttribute(2, 4, unsignedByte, 4, true, 0); }));
    EXPECT_EQ("", ErrorOf([&] { shading->EnableAttribute(3, 2, byteType, 2, false, 0); }));
    EXPECT_EQ("", ErrorOf([&] { shading->EnableAttribute(4, 4, byteType, 4, false, 0); }));
    EXPECT_EQ("", ErrorOf([&] { shading->EnableAttribute(9, 4, byteType, 4, false, 0); })) << "unmapped slot";
    for (int slot = 0; slot < 5; ++slot)
        shading->DisableAttribute(slot);
    shading->SetSemanticMap(device->GetSemanticMap());
    EXPECT_TRUE(shading->HasCapability(1));
    EXPECT_FALSE(shading->HasCapability(2));
}
