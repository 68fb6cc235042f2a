// What the translator reports about a Cg source: its uniforms, their initial values, and the
// listing of a source it refuses. The GLSL it writes is proven by CgRenderTest's pixels.
#include "gralith/graphics/gl/CgTranslator.h"

#include "gralith/Exception.h"
#include "gralith/graphics/Enums.h"

#include "tests/support/CommaLocale.h"
#include "tests/support/Expect.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

using Gralith::Exception;
using namespace Gralith::Graphics;

namespace {

CgTranslator::Translation Pixel(const char* source, const char* entry = "f") {
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
struct Light { float3 direction; float4 color; };
Light Sun;
Light Lamps[2];
fixed4 Tint; fixed3x3 Mix; float1 Gain;
float4 f(float2 uv : TEXCOORD0, uniform float4 Extra) : COLOR {
    float4 r = F + F2.xyxy + F3.xyzz + F4 + I + I2.xyxy + I3.xyzz + I4;
    r += (B ? 1 : 0) + (B2.y ? 1 : 0) + (B3.z ? 1 : 0) + (B4.w ? 1 : 0) + (Flags[2] ? 1 : 0);
    r += mul(M2, uv).xyxy + mul(M3, uv.xyx).xyzz + mul(M4, r) + Lights[5];
    r += Sun.color * dot(uv.xyx, Sun.direction) + Lamps[1].color + Lamps[0].direction.xyzz;
    r += Tint * Gain + float4(mul(Mix, Tint.rgb), 1);
    return r + tex2D(Map, uv) + texCUBE(Sky, uv.xyx) + tex3D(Volume, uv.xyx) + Extra;
})";
    CgTranslator::Translation t = Pixel(source);
    struct Expected {
        const char* name;
        int type;
        int arraySize;
    };
    // Fixed types compile as float; a non-square matrix takes row-major packing and cannot be set.
    const Expected expected[] = {
        {"F", ParamFloat, 0},
        {"F2", ParamFloat2, 0},
        {"F3", ParamFloat3, 0},
        {"F4", ParamFloat4, 0},
        {"I", ParamInt, 0},
        {"I2", ParamInt2, 0},
        {"I3", ParamInt3, 0},
        {"I4", ParamInt4, 0},
        {"B", ParamBool, 0},
        {"B2", ParamBool2, 0},
        {"B3", ParamBool3, 0},
        {"B4", ParamBool4, 0},
        {"M2", ParamFloat2x2, 0},
        {"M3", ParamFloat3x3, 0},
        {"M4", ParamFloat4x4, 0},
        {"Lights", ParamFloat4, 6},
        {"Flags", ParamBool, 3},
        {"Map", ParamSampler2D, 0},
        {"Sky", ParamSamplerCube, 0},
        {"Volume", ParamSampler3D, 0},
        {"Extra", ParamFloat4, 0},
        {"Sun.direction", ParamFloat3, 0},
        {"Sun.color", ParamFloat4, 0},
        {"Lamps[0].direction", ParamFloat3, 0},
        {"Lamps[0].color", ParamFloat4, 0},
        {"Lamps[1].direction", ParamFloat3, 0},
        {"Lamps[1].color", ParamFloat4, 0},
        {"Tint", ParamFloat4, 0},
        {"Mix", ParamFloat3x3, 0},
        {"Gain", ParamFloat, 0},
    };
    EXPECT_EQ(static_cast<int>(sizeof(expected) / sizeof(expected[0])), t.uniforms.Count());
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.name);
        const CgTranslator::Uniform* uniform = FindUniform(t, e.name);
        ASSERT_NE(nullptr, uniform);
        EXPECT_EQ(e.type, uniform->type);
        EXPECT_EQ(e.arraySize, uniform->arraySize);
    }
    t = Pixel("#pragma pack_matrix(row_major)\nfloat4x3 Skew;\nfloat4 f(float3 v : TEXCOORD0) : COLOR { return "
              "mul(Skew, v); }");
    ASSERT_EQ(1, t.uniforms.Count());
    EXPECT_EQ(ParamNone, t.uniforms[0].type);
    // Arrays of structures are reported element by element, up to the uniform budget.
    t = Pixel("static const int N = 2500 * 2;\nstruct S { float4 a; };\nS s[N << 1];\n"
              "float4 f() : COLOR { return s[1].a; }");
    EXPECT_EQ(10000, t.uniforms.Count());
}

// Under a comma-decimal locale, so that no number is read through the C library's locale.
TEST(CgTranslator, ConstantInitialisersAreReportedForTheProgramToSet) {
    const char* source = R"(
// float Fake = 3.0;
/* int Hidden = 2; float Tint = 9; */
float SpecularPower = 16.0;
float4 Tint = float4(1, 0.5, 0.0f, -2.5e-1);
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
float4 f(float2 uv : TEXCOORD0) : COLOR {
    return Helper(Tint) * SpecularPower + Offset.xyxy + Gray.xyzz + (Enabled ? Count : 0) + Computed + Later
        + Lights[1] + AfterFunction;
})";
    CgTranslator::Translation t = [&] {
        GralithTest::CommaLocale comma;
        EXPECT_TRUE(comma.Active());
        return Pixel(source);
    }();
    const struct {
        const char* name;
        const char* values;
    } expected[] = {{"SpecularPower", "16 "}, {"Tint", "1 0.5 0 -0.25 "},
                    {"Offset", "0.25 -0.5 "}, {"Gray", "0.5 0.5 0.5 "},
                    {"Enabled", "1 "},        {"Count", "3 "},
                    {"Computed", ""},         {"Later", ""},
                    {"Lights", ""},           {"AfterFunction", "0.75 "},
                    {"K", "missing"}};
    for (const auto& e : expected) {
        const CgTranslator::Uniform* uniform = FindUniform(t, e.name);
        std::string text = uniform ? "" : "missing";
        for (int i = 0; uniform && i < uniform->initialValue.Count(); ++i) {
            char number[32];
            std::snprintf(number, sizeof number, "%g ", uniform->initialValue[i]);
            text += number;
        }
        EXPECT_EQ(e.values, text) << e.name;
    }
}

TEST(CgTranslator, RefusedSourcesComeBackAsTheCompilerListing) {
    const std::string deep = "float4 f(float4 p : TEXCOORD0) : COLOR { return " + std::string(100, '(') + "p" +
                             std::string(100, ')') + "; }";
    const struct {
        const char* source;
        const char* listing;
        const char* entry = "f";
        CgTranslator::Stage stage = CgTranslator::StagePixel;
    } cases[] = {
        {"float4 f() : COLOR {\n    return undefinedThing;\n}\n",
         "ERROR: shaders/broken.cg:2: 'undefinedThing' : unknown variable"},
        {"fixed4 Tint;\n\nfixed4 f() : COLOR { return nothing; }\n",
         "ERROR: shaders/broken.cg:3: 'nothing' : unknown variable"},
        {"float4 f() : COLOR { return 1; }", "ERROR: shaders/broken.cg: entry point 'gsMain' not found", "gsMain",
         CgTranslator::StageVertex},
        {"float4 f() : COLOR { return 1; }", "ERROR: shaders/broken.cg: entry point '' not found", ""},
        {"", "ERROR: shaders/broken.cg: entry point 'f' not found"},
        {nullptr, "ERROR: shaders/broken.cg: entry point 'f' not found"},
        {"float4x3 Skew;\nfloat4 f(float3 v : TEXCOORD0) : COLOR { return mul(Skew, v); }",
         "ERROR: shaders/broken.cg: Row-major matrices must be square on this platform."},
        {"float4 f(float2 a : TEXCOORD0, float2 b : TEXCOORD0) : COLOR { return (a + b).xyxy; }",
         "ERROR: shaders/broken.cg: semantic 'TEXCOORD0' is used more than once"},
        {"float4 f(float2 a : TEXCOORD, float2 b : TEXCOORD0) : COLOR { return (a + b).xyxy; }",
         "ERROR: shaders/broken.cg: semantic 'TEXCOORD0' is used more than once"},
        {"void f(out float4 p : POSITION, out float4 a : COLOR0, out float4 b : COLOR) { p = 1; a = 1; b = 1; }",
         "ERROR: shaders/broken.cg: semantic 'COLOR' is used more than once", "f", CgTranslator::StageVertex},
        {deep.c_str(), "ERROR: shaders/broken.cg:1: '(' : nesting too deep"},
        // The front end builds constant and zero-initialised arrays element by element: a few bytes
        // of source took minutes and gigabytes.
        {"static const float a[100000000];\nfloat4 f() : COLOR { return a[1]; }",
         "ERROR: shaders/broken.cg:1: 'a' : too large"},
        {"struct S { float a[60000]; };\nfloat4 f() : COLOR { S s = (S)0, t = (S)0, u = (S)0; return s.a[1]; }",
         "ERROR: shaders/broken.cg:2: 'u' : too large"},
        {"static const int N = 1 << 20;\nfloat a[N];\nfloat4 f() : COLOR { return a[1]; }",
         "ERROR: shaders/broken.cg:2: 'a' : too large"},
        {"float a[65536][65536];\nfloat4 f() : COLOR { return a[1][2]; }",
         "ERROR: shaders/broken.cg:1: 'a' : too large"},
        {"struct S { float a; };\nS s[100000];\nfloat4 f() : COLOR { return s[1].a; }",
         "ERROR: shaders/broken.cg: too many uniforms"},
        {"int n;\nfloat a[n];\nfloat4 f() : COLOR { return a[1]; }",
         "ERROR: shaders/broken.cg:2: 'n' : array size must be a constant integer"},
        // Each of these crashed the HLSL front end (a null dereference) before the source was checked.
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
    for (const auto& c : cases) {
        SCOPED_TRACE(c.source ? c.source : "(null)");
        int code = -1;
        std::string message = ErrorOf(c.source, c.entry, c.stage, &code);
        EXPECT_EQ(std::string("The compile returned an error.\n\n") + c.listing + "\n\n", message);
        EXPECT_EQ(Gralith::ErrorGeneral, code);
    }
    // mul() of a one-component vector and a matrix crashed the front end; its listing is glslang's.
    std::string message =
        ErrorOf("float4x4 M;\nfloat1 Gain;\nfloat4 f(float1 x : TEXCOORD0) : COLOR { return float4(x, 0, 0, 1) * "
                "Gain + mul(M, x); }",
                "f", CgTranslator::StagePixel);
    EXPECT_EQ(0u, message.find("The compile returned an error.\n\nERROR: shaders/broken.cg:3: ")) << message;
    EXPECT_THROW(CgTranslator::Translate(nullptr, "f", CgTranslator::StagePixel, nullptr), Exception);
    EXPECT_THROW(CgTranslator::Translate("float4 f() : COLOR { return 1; }", nullptr, CgTranslator::StagePixel, "x"),
                 Exception);
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
Colour f(float3 n : TEXCOORD0, in float2 uv : TEXCOORD1, uniform sampler2D Map, float1 w : TEXCOORD2) : COLOR0 {
    Colour c = tex2D(Map, uv);
    int i, k = 0;
    for (i = 0; i < 3; i++) { c.rgb += Weights[i] * Shade(n, Sun); }
    for (int j = 0; j < 2; ++j) k += j;
    do { k--; } while (k > 0);
    while (k < 1) { k += 1; if (k > 4) break; else continue; }
    switch (k) { case 1: c.a = 1; break; default: c.a = 0.5; }
    struct Local { float x; } local;
    local.x = (float)k;
    c.xy = -c.yx * SCALE(local.x) + (c.z > 0.5 ? 1 : 0) + ((((((((((((((((((((w))))))))))))))))))));
    c.w *= !(k == 2) ? ~k & 1 : k << 1 | k >> 1 ^ 3;
    if (c.w < 0) discard;
    return c + float4(w.x, w, 0, 1);
})";
    CgTranslator::Translation t = Pixel(source);
    EXPECT_NE(nullptr, FindUniform(t, "Sun.colour"));
    EXPECT_NE(nullptr, FindUniform(t, "Map"));
}
