// Draws per second through the device against the same draws issued to GL directly, and the GL
// calls of a demo-like frame with the state-cache counters. Headless (EGL on the software
// rasterizer), so absolute numbers measure CPU submission cost, not a GPU.
#include "gralith/graphics/BlendState.h"
#include "gralith/graphics/DepthStencilState.h"
#include "gralith/graphics/InputLayout.h"
#include "gralith/graphics/Parameter.h"
#include "gralith/graphics/Program.h"
#include "gralith/graphics/RasterizerState.h"
#include "gralith/graphics/Shader.h"
#include "gralith/graphics/Surface.h"
#include "gralith/graphics/Texture2D.h"
#include "gralith/graphics/VertexBuffer.h"
#include "gralith/graphics/gl/CGShadingContext.h"
#include "gralith/graphics/gl/EGLGLDevice.h"
#include "gralith/graphics/gl/GLFunctions.h"

#include <GL/gl.h>
#include <GL/glext.h>
#include <benchmark/benchmark.h>

#include <vector>

using namespace Gralith::Graphics;

namespace {

constexpr int Draws = 1000;
constexpr int Size = 64;

const char* const VertexSource = R"(
struct VSOut { float4 position : POSITION; float4 color : COLOR0; };
VSOut vsMain(float2 position : POSITION, float4 color : COLOR) {
    VSOut o;
    o.position = float4(position, 0.0, 1.0);
    o.color = color;
    return o;
}
)";
const char* const PixelSource = R"(
float4 Tint;
float4 psMain(float4 color : COLOR0) : COLOR { return color * Tint; }
)";

GLShadingContext* MakeShading(GLDevice* device) { return new CGShadingContext(device); }

/// A device with one program, one layout and a buffer of Draws tiny quads (two triangles each).
struct Scene {
    Scene() {
        device = EGLGLDevice::Create(Size, Size, Depth24Stencil8, 0, &MakeShading);
        vs = device->CreateShader(VertexShader, 0, "vsMain", 0, VertexSource);
        ps = device->CreateShader(PixelShader, 0, "psMain", 0, PixelSource);
        program = device->CreateProgram(vs, ps);
        second = device->CreateProgram(vs, ps);
        const float tint[4] = {1, 1, 1, 1};
        program->GetParameter("Tint")->SetFloat4(1, tint);
        second->GetParameter("Tint")->SetFloat4(1, tint);
        InputElementDesc elements[] = {{0, 0, 2, 0, DataTypeFloat32, 0}, {3, 0, 4, 8, DataTypeUInt8, 1}};
        layout = device->CreateInputLayout(elements, 2);
        std::vector<unsigned char> bytes;
        for (int i = 0; i < Draws; ++i) {
            float x = -1.0f + 2.0f * static_cast<float>(i % 32) / 32.0f;
            float y = -1.0f + 2.0f * static_cast<float>(i / 32) / 32.0f;
            const float corners[6][2] = {{x, y}, {x + 0.05f, y},         {x + 0.05f, y + 0.05f},
                                         {x, y}, {x + 0.05f, y + 0.05f}, {x, y + 0.05f}};
            for (const auto& c : corners) {
                const unsigned char* p = reinterpret_cast<const unsigned char*>(c);
                bytes.insert(bytes.end(), p, p + 8);
                unsigned char color[4] = {255, static_cast<unsigned char>(i), 0, 255};
                bytes.insert(bytes.end(), color, color + 4);
            }
        }
        vertices = device->CreateVertexBuffer(BufferModeStatic, static_cast<int>(bytes.size()), 12);
        vertices->SetData(bytes.data(), 0, 0);
        BlendStateDesc additive = {true, BlendOne, BlendOne, BlendOne, BlendOne, true, true, true, true};
        blend = device->CreateBlendState(additive);
        DepthStencilStateDesc noDepth = {false, Less, false,       false,       Always,     0,
                                         ~0u,   ~0u,  StencilKeep, StencilKeep, StencilKeep};
        depth = device->CreateDepthStencilState(noDepth);
        device->SetProgram(program);
        device->SetInputLayout(layout);
        device->SetVertexBuffer(0, vertices);
    }
    ~Scene() {
        device->SetProgram(nullptr);
        for (Gralith::Object* o :
             std::initializer_list<Gralith::Object*>{blend, depth, vertices, layout, program, second, vs, ps, device})
            o->Release();
    }

    EGLGLDevice* device;
    Shader* vs;
    Shader* ps;
    Program* program;
    Program* second;
    InputLayout* layout;
    VertexBuffer* vertices;
    BlendState* blend;
    DepthStencilState* depth;
};

/// Sets the same three state objects before every draw, as the render-state holder does.
class StatePusher : public Device::DrawCallListener {
public:
    StatePusher(Device* device, BlendState* blend, DepthStencilState* depth)
        : device(device), blend(blend), depth(depth), rasterizer(device->GetRasterizerState()) {}
    void OnDrawCall() override {
        device->SetBlendState(blend);
        device->SetDepthStencilState(depth);
        device->SetRasterizerState(rasterizer);
    }
    Device* device;
    BlendState* blend;
    DepthStencilState* depth;
    RasterizerState* rasterizer;
};

void BM_ThousandDrawsThroughDevice(benchmark::State& state) {
    Scene scene;
    StatePusher pusher(scene.device, scene.blend, scene.depth);
    if (state.range(0))
        scene.device->AddDrawCallListener(&pusher);
    for (auto _ : state) {
        for (int i = 0; i < Draws; ++i)
            scene.device->DrawUnindexed(i * 6, 6);
        scene.device->GL().Finish();
    }
    state.counters["draws/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * Draws, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ThousandDrawsThroughDevice)->Arg(0)->Arg(1)->ArgName("listener")->Unit(benchmark::kMicrosecond);

void BM_ThousandDrawsRawGL(benchmark::State& state) {
    Scene scene;
    scene.device->DrawUnindexed(0, 6); // every state and attribute is now bound
    auto drawArrays = scene.device->GL().DrawArrays.pointer;
    auto finish = scene.device->GL().Finish.pointer;
    for (auto _ : state) {
        for (int i = 0; i < Draws; ++i)
            drawArrays(GL_TRIANGLES, i * 6, 6);
        finish();
    }
    state.counters["draws/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * Draws, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ThousandDrawsRawGL)->Unit(benchmark::kMicrosecond);

/// A demo-like frame: clear, an off-screen pass of 40 draws with two programs alternating in
/// blocks and a blend change, a copy to the window, 10 blended overlay draws, present.
void BM_TypicalFrame(benchmark::State& state) {
    Scene scene;
    EGLGLDevice* device = scene.device;
    StatePusher pusher(device, scene.blend, scene.depth);
    device->AddDrawCallListener(&pusher);
    Texture2D* target = device->CreateTexture2D(Size, Size, PixelFormatR8G8B8A8, true);
    Surface* surface = target->GetSurface(0);
    Surface* back = device->GetBackBuffer();
    const float tint[4] = {1, 0.5f, 0.5f, 1};
    std::uint64_t calls = 0, frames = 0;
    for (auto _ : state) {
        std::uint64_t before = GLCallCounter::Calls;
        device->SetRenderTargets(1, &surface, nullptr);
        device->Clear(ClearColor | ClearDepth, 0, 0, 0, 1, 1, 0);
        for (int block = 0; block < 4; ++block) {
            device->SetProgram(block % 2 ? scene.second : scene.program);
            device->GetProgram()->GetParameter("Tint")->SetFloat4(1, tint);
            for (int i = 0; i < 10; ++i)
                device->DrawUnindexed((block * 10 + i) * 6, 6);
        }
        device->SetRenderTargets(1, &back, nullptr);
        back->Copy(surface, 0, 0, Size, Size, 0, 0, Size, Size, FilterLinear);
        device->SetProgram(scene.program);
        for (int i = 0; i < 10; ++i)
            device->DrawUnindexed(i * 6, 6);
        device->Present();
        calls += GLCallCounter::Calls - before;
        ++frames;
    }
    device->GL().Finish();
    state.counters["GLCallsPerFrame"] = static_cast<double>(calls) / static_cast<double>(frames);
    const DeviceStatistics& s = device->GetStatistics();
    state.counters["StateAppliesTotal"] = static_cast<double>(s.StateApplies());
    state.counters["DrawsTotal"] = static_cast<double>(s.Draws);
    device->RemoveDrawCallListener(&pusher);
    target->Release();
}
BENCHMARK(BM_TypicalFrame)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
