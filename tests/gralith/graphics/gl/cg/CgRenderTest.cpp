// The Cg shading layer on a real (headless, llvmpipe) OpenGL context: programs are compiled from
// Cg text, fed through parameters and drawn over the whole target; the frame is read back.
#include "tests/gralith/graphics/gl/GLTestFixture.h"

#include "gralith/graphics/Parameter.h"
#include "gralith/graphics/SemanticMap.h"
#include "gralith/graphics/Texture2D.h"
#include "gralith/graphics/gl/GLFunctions.h"

#include "tests/support/CommaLocale.h"

#include <cstdint>
#include <string>

namespace Gralith::Graphics {

namespace {

class CgRender : public GLDeviceTest {
protected:
    void TearDown() override {
        // Every upload must have matched its uniform; a mismatch shows up as a GL error.
        EXPECT_EQ(0u, device->GL().GetError());
        GLDeviceTest::TearDown();
    }

    // A program with the pass-through textured vertex stage and the given psMain.
    Program* BuildPixel(const char* pixelSource) { return MakeProgram(std::string(TexturedVertex) + pixelSource); }

    void Draw(Program* program) {
        device->SetProgram(program);
        device->SetInputLayout(textureLayout);
        TexQuad();
    }

    Texture2D* MakeTexture(const std::uint8_t (&rgba)[4]) {
        Texture2D* texture = Keep(device->CreateTexture2D(1, 1, PixelFormatR8G8B8A8, false));
        texture->SetData(0, rgba, false);
        return texture;
    }
};

} // namespace

// Under a comma-decimal locale, so that no number is read through the C library's locale.
TEST_F(CgRender, InitialValuesFromTheSourceAreSetUntilOverwritten) {
    GralithTest::CommaLocale comma;
    ASSERT_TRUE(comma.Active());
    Program* program = BuildPixel(R"(
float4 Tint = float4(0.25, 0.5, 1.0, 1.0);
float Gain = 1.0;
bool Enabled = true;
float4 psMain() : COLOR { return Enabled ? Tint * Gain * 1.5 : 0.0; }
)");
    Draw(program);
    EXPECT_TRUE(Near(Read(8, 8), {96, 191, 255, 255}));
    const float half = 0.5f;
    program->GetParameter("Gain")->SetFloat(1, &half);
    Draw(program);
    EXPECT_TRUE(Near(Read(8, 8), {48, 96, 191, 191}));
}

TEST_F(CgRender, OneParameterFeedsBothStages) {
    // Scale shrinks the quad in the vertex stage and dims the colour in the pixel stage.
    Program* program = MakeProgram(R"(
float Scale;
float4 vsMain(float2 position : POSITION) : POSITION { return float4(position * Scale, 0.0, 1.0); }
float4 psMain() : COLOR { return float4(Scale, 0.0, 1.0, 1.0); }
)");
    EXPECT_EQ(1, program->GetParameterCount());
    const float half = 0.5f;
    program->GetParameter("Scale")->SetFloat(1, &half);
    Draw(program);
    EXPECT_TRUE(Near(Read(Size / 2, Size / 2), {128, 0, 255, 255}));
    EXPECT_TRUE(Near(Read(2, 2), {0, 0, 0, 0}));
}

// The fixture's colour program stays current: each upload must reach this program, not the bound one.
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
    EXPECT_EQ(1, program->GetParameter("F")->GetArraySize());
    EXPECT_EQ(3, program->GetParameter("Lights")->GetArraySize());
    Draw(program);
    EXPECT_TRUE(Near(Read(4, 4), {64, 128, 191, 255}));
    EXPECT_TRUE(Near(Read(24, 4), {255, 128, 0, 255}));
    EXPECT_TRUE(Near(Read(40, 4), {64, 128, 191, 255}));
    EXPECT_TRUE(Near(Read(56, 4), {255, 255, 0, 255}));
    EXPECT_TRUE(Near(Read(56, 56), {128, 255, 0, 255}));
}

TEST_F(CgRender, SamplersGetTheirOwnTextureUnits) {
    Program* program = BuildPixel(R"(
sampler2D A; sampler2D B;
float4 psMain(float2 uv : TEXCOORD0) : COLOR { return tex2D(A, uv) * 0.5 + tex2D(B, uv) * 0.5; }
)");
    program->GetParameter("A")->SetSampler(MakeTexture({255, 0, 0, 255}));
    program->GetParameter("B")->SetSampler(MakeTexture({0, 0, 255, 255}));
    Draw(program);
    EXPECT_TRUE(Near(Read(16, 16), {128, 0, 128, 255}));
}

TEST_F(CgRender, MulOfMatrixAndVectorUsesTheColumnMajorMatrixAsIs) {
    // A small quad at the origin translated by +0.5 in x: with element [r, c] at c * 4 + r the
    // translation sits in elements 12-14.
    Program* program = MakeProgram(R"(
float4x4 WorldViewProjection;
float4 vsMain(float2 position : POSITION) : POSITION {
    return mul(WorldViewProjection, float4(position * 0.25, 0.0, 1.0));
}
float4 psMain() : COLOR { return float4(1.0, 1.0, 1.0, 1.0); }
)");
    const float translate[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0.5f, 0, 0, 1};
    program->GetParameter("WorldViewProjection")->SetMatrix4x4(1, translate);
    Draw(program);
    // Covered x range is 0.25..0.75 in clip space: pixels 40..55.
    EXPECT_TRUE(Near(Read(48, 32), {255, 255, 255, 255}));
    EXPECT_TRUE(Near(Read(32, 32), {0, 0, 0, 0}));
    EXPECT_TRUE(Near(Read(16, 32), {0, 0, 0, 0}));
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
    Draw(program);
    // trunc: (1 + 1) / 4; sinh(0.5) = 0.521; cosh(0.5) - 0.5 = 0.628; tanh(0.5) = 0.462.
    EXPECT_TRUE(Near(Read(8, 8), {128, 133, 160, 118}));
    // modf(-2.25) = -0.25 and -2; ldexp(1.75, 2) = 7.
    const float w[] = {1.75f, 0.5f, 0.5f, 2.25f};
    program->GetParameter("V")->SetFloat4(1, w);
    Draw(program);
    EXPECT_TRUE(Near(Read(8, 8), {64, 128, 223, 255}));
}

// CgTranslatorTest checks the listings; here, that the device names the source after its entry.
TEST_F(CgRender, CompileErrorsComeBackWithTheCompilerListing) {
    EXPECT_GRALITH_THROW(device->CreateShader(VertexShader, 0, "vsMain", 0, "float4 psMain() : COLOR { return 1; }"),
                         "The compile returned an error.\n\nERROR: vsMain: entry point 'vsMain' not found\n\n", 0);
}

TEST_F(CgRender, VaryingsOfOtherWidthsAreConvertedAsInCg) {
    // The vertex stage writes a float4 and a float2; the pixel stage reads them as float2 and
    // float4 (missing components read as 0, w as 1).
    Draw(MakeProgram(R"(
void vsMain(float2 position : POSITION, out float4 p : POSITION, out float4 wide : TEXCOORD0, out float2 narrow : TEXCOORD1) {
    p = float4(position, 0.0, 1.0);
    wide = float4(0.25, 0.5, 0.75, 0.0);
    narrow = float2(0.75, 0.25);
}
float4 psMain(float2 wide : TEXCOORD0, float4 narrow : TEXCOORD1) : COLOR {
    return float4(wide.x, wide.y, narrow.x * 0.5 + narrow.z, narrow.w * 0.5 + narrow.y);
}
)"));
    EXPECT_TRUE(Near(Read(8, 8), {64, 128, 96, 191}));
}

TEST_F(CgRender, SemanticMapRoutesLayoutSlotsToShaderInputs) {
    // Slot 5 carries the quad's red and green as TEXCOORD0, slot 1 its green, blue and alpha as
    // generic attribute 6 (ATTR6).
    device->SetProgram(MakeProgram(R"(
void vsMain(float4 position : POSITION, float2 uv : TEXCOORD0, float4 color : ATTR6, out float4 p : POSITION,
            out float2 ouv : TEXCOORD0, out float4 ocolor : COLOR0) { p = position; ouv = uv; ocolor = color; }
float4 psMain(float2 uv : TEXCOORD0, float4 color : COLOR0) : COLOR { return float4(uv.x, color.g, color.b, 1.0); }
)"));
    const char* names[SlotLimit] = {"POSITION", "ATTR6", nullptr, nullptr, nullptr, "TEXCOORD0"};
    device->SetSemanticMap(Keep(device->CreateSemanticMap(names)));
    const InputElementDesc elements[] = {
        {0, 0, 4, 0, DataTypeFloat32, 0}, {5, 0, 2, 16, DataTypeFloat32, 0}, {1, 0, 3, 20, DataTypeFloat32, 0}};
    device->SetInputLayout(Keep(device->CreateInputLayout(elements, 3)));
    FullQuad(0.25f, 0.5f, 0.75f, 1);
    EXPECT_TRUE(Near(Read(32, 32), {64, 191, 255, 255}));
}

} // namespace Gralith::Graphics
