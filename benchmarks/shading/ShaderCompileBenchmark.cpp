// Shader compile time. The first translation in a process also builds the compiler's built-in
// tables; every later one is "warm". Run without a filter so that the first benchmark really is
// the first translation of the process.
#include "gralith/Exception.h"
#include "gralith/graphics/Program.h"
#include "gralith/graphics/Shader.h"
#include "gralith/graphics/gl/CGShadingContext.h"
#include "gralith/graphics/gl/CgTranslator.h"
#include "gralith/graphics/gl/EGLGLDevice.h"

#include <benchmark/benchmark.h>

using namespace Gralith::Graphics;

namespace {

// A typical scene shader of the presentation: lit, textured, fogged.
const char* const SceneShader = R"(
float4x4 WorldViewProjection;
float4x4 World;
float3x3 NormalMatrix;
float3 LightDirection;
float4 LightColor;
float4 AmbientColor;
float SpecularPower;
float3 CameraPosition;
float2 FogRange;
sampler2D DiffuseMap;

struct VSIn {
    float4 position : POSITION;
    float3 normal : NORMAL;
    float2 uv : TEXCOORD0;
};

struct VSOut {
    float4 position : POSITION;
    float2 uv : TEXCOORD0;
    float3 normal : TEXCOORD1;
    float3 world : TEXCOORD2;
};

VSOut vsMain(VSIn input) {
    VSOut output;
    output.position = mul(WorldViewProjection, input.position);
    output.uv = input.uv;
    output.normal = normalize(mul(NormalMatrix, input.normal));
    output.world = mul(World, input.position).xyz;
    return output;
}

float4 psMain(VSOut input) : COLOR {
    float3 n = normalize(input.normal);
    float3 l = normalize(-LightDirection);
    float3 v = normalize(CameraPosition - input.world);
    float3 h = normalize(l + v);
    float diffuse = saturate(dot(n, l));
    float specular = pow(saturate(dot(n, h)), SpecularPower);
    float4 albedo = tex2D(DiffuseMap, input.uv);
    float4 color = albedo * (AmbientColor + LightColor * diffuse) + LightColor * specular;
    float fog = saturate((length(input.world - CameraPosition) - FogRange.x) / (FogRange.y - FogRange.x));
    return lerp(color, float4(0.0, 0.0, 0.0, 1.0), fog);
}
)";

void TranslateBoth() {
    CgTranslator::Translation vertex =
        CgTranslator::Translate(SceneShader, "vsMain", CgTranslator::StageVertex, "scene.cg");
    CgTranslator::Translation pixel =
        CgTranslator::Translate(SceneShader, "psMain", CgTranslator::StagePixel, "scene.cg");
    benchmark::DoNotOptimize(vertex.glsl.CStr());
    benchmark::DoNotOptimize(pixel.glsl.CStr());
}

void BM_TranslateFirstInProcess(benchmark::State& state) {
    for (auto _ : state)
        CgTranslator::Translate(SceneShader, "vsMain", CgTranslator::StageVertex, "scene.cg");
}
BENCHMARK(BM_TranslateFirstInProcess)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_TranslateVertexWarm(benchmark::State& state) {
    TranslateBoth();
    for (auto _ : state) {
        CgTranslator::Translation t =
            CgTranslator::Translate(SceneShader, "vsMain", CgTranslator::StageVertex, "scene.cg");
        benchmark::DoNotOptimize(t.glsl.CStr());
    }
}
BENCHMARK(BM_TranslateVertexWarm)->Unit(benchmark::kMillisecond);

void BM_TranslatePixelWarm(benchmark::State& state) {
    TranslateBoth();
    for (auto _ : state) {
        CgTranslator::Translation t =
            CgTranslator::Translate(SceneShader, "psMain", CgTranslator::StagePixel, "scene.cg");
        benchmark::DoNotOptimize(t.glsl.CStr());
    }
}
BENCHMARK(BM_TranslatePixelWarm)->Unit(benchmark::kMillisecond);

GLShadingContext* MakeShading(GLDevice* device) { return new CGShadingContext(device); }

// The device path a shader loader takes: CreateShader for both stages (translation and driver
// compile), then CreateProgram (driver link, reflection, sampler units).
void BM_CreateShadersAndProgramWarm(benchmark::State& state) {
    EGLGLDevice* device = nullptr;
    try {
        device = EGLGLDevice::Create(16, 16, Depth24Stencil8, 0, &MakeShading);
    } catch (const Gralith::Exception& e) {
        state.SkipWithError(e.GetMessage());
        return;
    }
    TranslateBoth();
    for (auto _ : state) {
        Shader* vertex = device->CreateShader(VertexShader, 0, "vsMain", 0, SceneShader);
        Shader* pixel = device->CreateShader(PixelShader, 0, "psMain", 0, SceneShader);
        Program* program = device->CreateProgram(vertex, pixel);
        program->Release();
        pixel->Release();
        vertex->Release();
    }
    device->Release();
}
BENCHMARK(BM_CreateShadersAndProgramWarm)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
