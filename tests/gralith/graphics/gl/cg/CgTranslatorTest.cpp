#include "gralith/graphics/gl/CgTranslator.h"

#include "gralith/Exception.h"
#include "gralith/graphics/Enums.h"

#include "tests/support/CommaLocale.h"
#include "tests/support/Expect.h"

#include <gtest/gtest.h>

#include <string>

using Gralith::Exception;
using Gralith::Graphics::CgTranslator;
using namespace Gralith::Graphics;

namespace {

const char* const LitSource = R"(
float4x4 WorldViewProjection;
float3x3 NormalMatrix;
float4 LightColor;
float SpecularPower = 16.0;
sampler2D DiffuseMap;

struct VSIn {
    float4 position : POSITION;
    float3 normal : NORMAL;
    float2 uv : TEXCOORD0;
};

struct VSOut {
    float4 position : POSITION;
    float2 uv : TEXCOORD;
    float3 normal : texcoord1;
};

VSOut vsMain(VSIn input) {
    VSOut output;
    output.position = mul(WorldViewProjection, input.position);
    output.uv = input.uv;
    output.normal = mul(NormalMatrix, input.normal);
    return output;
}

float4 psMain(float2 uv : TEXCOORD0, float3 normal : TEXCOORD1) : COLOR {
    return tex2D(DiffuseMap, uv) * LightColor * SpecularPower * normal.z;
}
)";

CgTranslator::Translation Pixel(const char* source, const char* entry = "psMain") {
    return CgTranslator::Translate(source, entry, CgTranslator::StagePixel, "shaders/test.cg");
}

const CgTranslator::Uniform* FindUniform(const CgTranslator::Translation& t, const char* name) {
    for (const CgTranslator::Uniform& uniform : t.uniforms)
        if (uniform.name == name)
            return &uniform;
    return nullptr;
}

// The full message of the exception the translation throws, or "" when it succeeds.
std::string ErrorOf(const char* source, const char* entry, CgTranslator::Stage stage, int* code = nullptr) {
    return GralithTest::MessageOf([&] { CgTranslator::Translate(source, entry, stage, "shaders/broken.cg"); }, code);
}

} // namespace

TEST(CgTranslator, ReflectsEveryUniformTypeAndArraySize) {
    const char* source = R"(
float F; float2 F2; float3 F3; float4 F4;
int I; int2 I2; int3 I3; int4 I4;
bool B; bool2 B2; bool3 B3; bool4 B4;
float2x2 M2; float3x3 M3; float4x4 M4;
float4 Lights[6];
bool Flags[3];
sampler2D Map; samplerCUBE Sky; sampler3D Volume;
float4 psMain(float2 uv : TEXCOORD0, uniform float4 Extra) : COLOR {
    float4 r = F + F2.xyxy + F3.xyzz + F4 + I + I2.xyxy + I3.xyzz + I4;
    r += (B ? 1 : 0) + (B2.y ? 1 : 0) + (B3.z ? 1 : 0) + (B4.w ? 1 : 0) + (Flags[2] ? 1 : 0);
    r += mul(M2, uv).xyxy + mul(M3, uv.xyx).xyzz + mul(M4, r) + Lights[5];
    return r + tex2D(Map, uv) + texCUBE(Sky, uv.xyx) + tex3D(Volume, uv.xyx) + Extra;
})";
    CgTranslator::Translation t = Pixel(source);
    struct Expected {
        const char* name;
        int type;
        int arraySize;
    };
    const Expected expected[] = {
        {"F", ParamFloat, 0},         {"F2", ParamFloat2, 0},
        {"F3", ParamFloat3, 0},       {"F4", ParamFloat4, 0},
        {"I", ParamInt, 0},           {"I2", ParamInt2, 0},
        {"I3", ParamInt3, 0},         {"I4", ParamInt4, 0},
        {"B", ParamBool, 0},          {"B2", ParamBool2, 0},
        {"B3", ParamBool3, 0},        {"B4", ParamBool4, 0},
        {"M2", ParamFloat2x2, 0},     {"M3", ParamFloat3x3, 0},
        {"M4", ParamFloat4x4, 0},     {"Lights", ParamFloat4, 6},
        {"Flags", ParamBool, 3},      {"Map", ParamSampler2D, 0},
        {"Sky", ParamSamplerCube, 0}, {"Volume", ParamSampler3D, 0},
        {"Extra", ParamFloat4, 0},
    };
    EXPECT_EQ(static_cast<int>(sizeof(expected) / sizeof(expected[0])), t.uniforms.Count());
    for (const Expected& e : expected) {
        const CgTranslator::Uniform* uniform = FindUniform(t, e.name);
        ASSERT_NE(nullptr, uniform) << e.name;
        EXPECT_EQ(e.type, uniform->type) << e.name;
        EXPECT_EQ(e.arraySize, uniform->arraySize) << e.name;
    }
    // GLSL 1.20 has no unsigned integers: booleans are declared as int.
}

TEST(CgTranslator, NonSquareMatricesNeedRowMajorPackingAndAreUnaddressable) {
    std::string message =
        ErrorOf("float4x3 Skew;\nfloat4 psMain(float3 v : TEXCOORD0) : COLOR { return mul(Skew, v); }", "psMain",
                CgTranslator::StagePixel);
    EXPECT_EQ("The compile returned an error.\n\nERROR: shaders/broken.cg: Row-major matrices must be square on this "
              "platform.\n\n",
              message);
    const char* source = R"(
#pragma pack_matrix(row_major)
float4x3 Skew;
float4 psMain(float3 v : TEXCOORD0) : COLOR { return mul(Skew, v); })";
    CgTranslator::Translation t = Pixel(source);
    const CgTranslator::Uniform* uniform = FindUniform(t, "Skew");
    ASSERT_NE(nullptr, uniform);
    EXPECT_EQ(ParamNone, uniform->type);
}

TEST(CgTranslator, CompileErrorsCarryFileNameAndLine) {
    const char* source = "float4 psMain() : COLOR {\n    return undefinedThing;\n}\n";
    int code = -1;
    std::string message = ErrorOf(source, "psMain", CgTranslator::StagePixel, &code);
    EXPECT_EQ(0, code);
    EXPECT_EQ(0,
              message.find(
                  "The compile returned an error.\n\nERROR: shaders/broken.cg:2: 'undefinedThing' : unknown variable"))
        << message;
    ASSERT_GE(message.size(), 2u);
    EXPECT_EQ("\n\n", message.substr(message.size() - 2));
    EXPECT_NE('\n', message[message.size() - 3]) << message;
}

TEST(CgTranslator, MissingEntryPointIsACompileError) {
    int code = -1;
    std::string message = ErrorOf(LitSource, "gsMain", CgTranslator::StageVertex, &code);
    EXPECT_EQ("The compile returned an error.\n\nERROR: shaders/broken.cg: entry point 'gsMain' not found\n\n",
              message);
    EXPECT_EQ(0, code);
    EXPECT_NE("", ErrorOf(LitSource, "", CgTranslator::StagePixel));
    EXPECT_NE("", ErrorOf("", "psMain", CgTranslator::StagePixel));
}

TEST(CgTranslator, RepeatedSemanticIsACompileError) {
    const char* source = "float4 psMain(float2 a : TEXCOORD0, float2 b : TEXCOORD0) : COLOR { return (a + b).xyxy; }";
    std::string message = ErrorOf(source, "psMain", CgTranslator::StagePixel);
    EXPECT_EQ(
        "The compile returned an error.\n\nERROR: shaders/broken.cg: semantic 'TEXCOORD0' is used more than once\n\n",
        message);
    const char* implicitIndex =
        "float4 psMain(float2 a : TEXCOORD, float2 b : TEXCOORD0) : COLOR { return (a + b).xyxy; }";
    EXPECT_NE("", ErrorOf(implicitIndex, "psMain", CgTranslator::StagePixel));
    const char* twoOutputs =
        "void vsMain(out float4 p : POSITION, out float4 a : COLOR0, out float4 b : COLOR) { p = 1; a = 1; b = 1; }";
    EXPECT_NE("", ErrorOf(twoOutputs, "vsMain", CgTranslator::StageVertex));
}

TEST(CgTranslator, NullArgumentsAreErrorsNotCrashes) {
    EXPECT_THROW(CgTranslator::Translate(nullptr, "psMain", CgTranslator::StagePixel, nullptr), Exception);
    EXPECT_THROW(CgTranslator::Translate(LitSource, nullptr, CgTranslator::StagePixel, "x"), Exception);
}

TEST(CgTranslator, StructuresAreAddressedThroughTheirMembers) {
    const char* source = R"(
struct Light { float3 direction; float4 color; };
Light Sun;
Light Lamps[2];
float4 psMain(float3 n : TEXCOORD0) : COLOR { return Sun.color * dot(n, Sun.direction) + Lamps[1].color; })";
    CgTranslator::Translation t = Pixel(source);
    const char* names[] = {"Sun.direction",  "Sun.color",          "Lamps[0].direction",
                           "Lamps[0].color", "Lamps[1].direction", "Lamps[1].color"};
    ASSERT_EQ(6, t.uniforms.Count());
    for (int i = 0; i < 6; ++i)
        EXPECT_TRUE(t.uniforms[i].name == names[i]) << t.uniforms[i].name.CStr();
    EXPECT_EQ(ParamFloat3, FindUniform(t, "Sun.direction")->type);
    EXPECT_EQ(ParamFloat4, FindUniform(t, "Lamps[1].color")->type);
}

TEST(CgTranslator, ConstantInitialisersAreReportedForTheProgramToSet) {
    const char* source = R"(
// float Fake = 3.0;
/* int Hidden = 2; float Tint = 9; */
float SpecularPower = 16.0;
float4 Tint = float4(1, 0.5, 0.0f, -1);
float2 Offset = {0.25, -.5};
float3 Gray = 0.5;
bool Enabled = true;
int Count = 3;
float Computed = 2.0 * 3.0;
static const float K = 5.0;
float Later;
float4 Lights[2] = {1, 1, 1, 1, 2, 2, 2, 2};
float4 Helper(float4 x) { float Local = 4.0; return x * Local * K; }
float AfterFunction = 0.75;
float4 psMain(float2 uv : TEXCOORD0) : COLOR {
    return Helper(Tint) * SpecularPower + Offset.xyxy + Gray.xyzz + (Enabled ? Count : 0) + Computed + Later
        + Lights[1] + AfterFunction;
})";
    CgTranslator::Translation t = Pixel(source);
    auto values = [&](const char* name) {
        std::string text;
        const CgTranslator::Uniform* uniform = FindUniform(t, name);
        if (!uniform)
            return std::string("missing");
        for (float v : uniform->initialValue)
            text += std::to_string(v).substr(0, 5) + " ";
        return text;
    };
    EXPECT_EQ("16.00 ", values("SpecularPower"));
    EXPECT_EQ("1.000 0.500 0.000 -1.00 ", values("Tint"));
    EXPECT_EQ("0.250 -0.50 ", values("Offset"));
    EXPECT_EQ("0.500 0.500 0.500 ", values("Gray"));
    EXPECT_EQ("1.000 ", values("Enabled"));
    EXPECT_EQ("3.000 ", values("Count"));
    EXPECT_EQ("", values("Computed"));
    EXPECT_EQ("", values("Later"));
    EXPECT_EQ("", values("Lights"));
    EXPECT_EQ("0.750 ", values("AfterFunction"));
    EXPECT_EQ("missing", values("K"));
}

TEST(CgTranslator, FixedTypesCompileAsHalfAndKeepLineNumbers) {
    const char* source = "fixed4 Tint;\nfixed3x3 Mix;\nfixed4 psMain(fixed2 uv : TEXCOORD0) : COLOR {\n"
                         "    return fixed4(mul(Mix, Tint.rgb) * uv.x, 1);\n}\n";
    CgTranslator::Translation t = Pixel(source);
    EXPECT_EQ(ParamFloat4, FindUniform(t, "Tint")->type);
    EXPECT_EQ(ParamFloat3x3, FindUniform(t, "Mix")->type);
    std::string message =
        ErrorOf("fixed4 Tint;\n\nfixed4 psMain() : COLOR { return nothing; }\n", "psMain", CgTranslator::StagePixel);
    EXPECT_NE(std::string::npos, message.find("ERROR: shaders/broken.cg:3: 'nothing' : unknown variable")) << message;
}

TEST(CgTranslator, CommaDecimalLocaleChangesNeitherTheGlslNorTheInitialValues) {
    const char* const source = R"(
float Gain = 0.5;
float4 Tint = float4(0.25, 1.5, -2.5e-1, 1);
float4 psMain() : COLOR { return Tint * Gain * 0.75; })";
    CgTranslator::Translation plain = Pixel(source);
    GralithTest::CommaLocale comma;
    ASSERT_TRUE(comma.Active());
    CgTranslator::Translation local = Pixel(source);
    EXPECT_STREQ(plain.glsl.CStr(), local.glsl.CStr());
    const CgTranslator::Uniform* gain = FindUniform(local, "Gain");
    const CgTranslator::Uniform* tint = FindUniform(local, "Tint");
    ASSERT_TRUE(gain && tint);
    ASSERT_EQ(1, gain->initialValue.Count());
    EXPECT_EQ(0.5f, gain->initialValue[0]);
    ASSERT_EQ(4, tint->initialValue.Count());
    const float expected[] = {0.25f, 1.5f, -0.25f, 1.0f};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(expected[i], tint->initialValue[i]) << "component " << i;
}

// Each of these crashed the HLSL front end (a null dereference) before the source was checked.
TEST(CgTranslator, SourcesTheFrontEndCrashesOnAreCompileErrors) {
    struct Case {
        const char* source;
        const char* listing;
    };
    const Case cases[] = {
        {"in", "ERROR: shaders/broken.cg:1: 'in' : in, out and inout qualify parameters only"},
        {"float4 T;\nfloat4 f(float4 p : TEXCOORD0) : COLOR { return p; }\nfloat T[2];",
         "ERROR: shaders/broken.cg:3: 'T' : redefinition"},
        {"sampler2D T;\nfloat T;", "ERROR: shaders/broken.cg:2: 'T' : redefinition"},
        {"float4 T;\nfloat4 f(float4 p : TEXCOORD0, uniform float T) : COLOR { return p; }",
         "ERROR: shaders/broken.cg:2: 'T' : redefinition"},
        {"float4 f(float4 p : TEXCOORD0,\n float4) : COLOR { return p; }",
         "ERROR: shaders/broken.cg:2: ')' : entry point parameter without a name"},
        {"float p[2 p", "ERROR: shaders/broken.cg:1: 'p' : syntax error"},
        {"float4 f(float4 p : TEXCOORD0) : COLOR {\n  return p", "ERROR: shaders/broken.cg: unexpected end of text"},
        {"float4 f(float4 p : TEXCOORD0) : COLOR {\n  return p-- --;\n}",
         "ERROR: shaders/broken.cg:2: '--' : l-value required"},
        {"float4 f(float4 p : TEXCOORD0) : COLOR { return (p + 1)++; }",
         "ERROR: shaders/broken.cg:1: '++' : l-value required"},
        {"float4 f(float4 p : TEXCOORD0) : COLOR { return p.x > 0 ? p : A0; }",
         "ERROR: shaders/broken.cg:1: 'A0' : unknown variable"},
        {"float4 f(float4 p : TEXCOORD0) : COLOR { static float4 x = p; return x; }",
         "ERROR: shaders/broken.cg:1: 'static' : qualifier not valid here"},
        {"float4 f(float4 p : TEXCOORD0) : COLOR { case 1: return p; }",
         "ERROR: shaders/broken.cg:1: 'case' : syntax error"},
        {"float4x1 M;\nfloat4 f(float4 p : TEXCOORD0) : COLOR { return mul(p, M).xxxx; }",
         "ERROR: shaders/broken.cg:1: 'float4x1' : not supported"},
        {"#define X in\nX float4 T;", "ERROR: shaders/broken.cg:2: 'in' : in, out and inout qualify parameters only"},
    };
    for (const Case& c : cases) {
        int code = -1;
        std::string message = ErrorOf(c.source, "f", CgTranslator::StagePixel, &code);
        EXPECT_EQ(std::string("The compile returned an error.\n\n") + c.listing + "\n\n", message) << c.source;
        EXPECT_EQ(Gralith::ErrorGeneral, code) << c.source;
    }
}

TEST(CgTranslator, NestingBeyondTheLimitIsACompileError) {
    std::string deep = "float4 f(float4 p : TEXCOORD0) : COLOR { return " + std::string(100, '(') + "p" +
                       std::string(100, ')') + "; }";
    EXPECT_EQ("The compile returned an error.\n\nERROR: shaders/broken.cg:1: '(' : nesting too deep\n\n",
              ErrorOf(deep.c_str(), "f", CgTranslator::StagePixel));
    std::string fine =
        "float4 f(float4 p : TEXCOORD0) : COLOR { return " + std::string(20, '(') + "p" + std::string(20, ')') + "; }";
    EXPECT_EQ("", ErrorOf(fine.c_str(), "f", CgTranslator::StagePixel));
}

// mul() of a one-component vector and a matrix crashed the front end.
TEST(CgTranslator, OneComponentVectorsCompileAsScalars) {
    const char* source = "float4x4 M;\nfloat1 Gain;\n"
                         "float4 f(float1 x : TEXCOORD0) : COLOR { return float4(x, 0, 0, 1) * Gain + mul(M, x); }";
    std::string message = ErrorOf(source, "f", CgTranslator::StagePixel);
    EXPECT_EQ(0u, message.find("The compile returned an error.\n\nERROR: shaders/broken.cg:3: ")) << message;
    CgTranslator::Translation t =
        Pixel("float1 Gain;\nfloat4 f(float1 x : TEXCOORD0) : COLOR { return float4(x.x, x, 0, 1) * Gain; }", "f");
    EXPECT_EQ(ParamFloat, FindUniform(t, "Gain")->type);
}

TEST(CgTranslator, TheCheckAcceptsTheCgItMustPassOn) {
    const char* source = R"(
#define SCALE(x) ((x) * 2.0)
typedef float4 Colour;
struct Light { float3 direction; Colour colour; };
uniform Light Sun : register(c0);
const float Weights[3] = {0.25, 0.5, 0.25,};
float3 Shade(float3 n, Light light);
float3 Shade(float3 n, Light light) { return saturate(dot(n, light.direction)) * light.colour.rgb; }
Colour f(float3 n : TEXCOORD0, in float2 uv : TEXCOORD1, uniform sampler2D Map) : COLOR0 {
    Colour c = tex2D(Map, uv);
    int i, k = 0;
    for (i = 0; i < 3; i++) { c.rgb += Weights[i] * Shade(n, Sun); }
    for (int j = 0; j < 2; ++j) k += j;
    do { k--; } while (k > 0);
    while (k < 1) { k += 1; if (k > 4) break; else continue; }
    switch (k) { case 1: c.a = 1; break; default: c.a = 0.5; }
    struct Local { float x; } local;
    local.x = (float)k;
    c.xy = -c.yx * SCALE(local.x) + (c.z > 0.5 ? 1 : 0);
    c.w *= !(k == 2) ? ~k & 1 : k << 1 | k >> 1 ^ 3;
    if (c.w < 0) discard;
    return c;
})";
    CgTranslator::Translation t = Pixel(source, "f");
    EXPECT_NE(nullptr, FindUniform(t, "Sun.colour"));
    EXPECT_NE(nullptr, FindUniform(t, "Map"));
}

// The front end builds constant and zero-initialised arrays element by element: a few bytes of
// source took minutes and gigabytes. Arrays of structures are reported element by element too.
TEST(CgTranslator, SizesBeyondAnyShaderAreCompileErrors) {
    const char* const tooLarge[] = {
        "static const float a[100000000];\nfloat4 f() : COLOR { return a[1]; }",
        "struct S { float a[60000]; };\nfloat4 f() : COLOR { S s = (S)0, t = (S)0, u = (S)0; return s.a[1]; }",
        "static const int N = 1 << 20;\nfloat a[N];\nfloat4 f() : COLOR { return a[1]; }",
        "float a[65536][65536];\nfloat4 f() : COLOR { return a[1][2]; }",
    };
    for (const char* source : tooLarge) {
        std::string message = ErrorOf(source, "f", CgTranslator::StagePixel);
        EXPECT_EQ(0u, message.find("The compile returned an error.\n\nERROR: shaders/broken.cg:")) << message;
        EXPECT_NE(std::string::npos, message.find(" : too large\n\n")) << message;
    }
    EXPECT_EQ("The compile returned an error.\n\nERROR: shaders/broken.cg: too many uniforms\n\n",
              ErrorOf("struct S { float a; };\nS s[100000];\nfloat4 f() : COLOR { return s[1].a; }", "f",
                      CgTranslator::StagePixel));
    EXPECT_EQ("The compile returned an error.\n\nERROR: shaders/broken.cg:2: 'n' : array size must be a constant "
              "integer\n\n",
              ErrorOf("int n;\nfloat a[n];\nfloat4 f() : COLOR { return a[1]; }", "f", CgTranslator::StagePixel));
    CgTranslator::Translation t = Pixel(
        "static const int N = 2500 * 2;\nstruct S { float4 a; };\nS s[N << 1];\nfloat4 f() : COLOR { return s[1].a; }",
        "f");
    EXPECT_EQ(10000, t.uniforms.Count());
}
