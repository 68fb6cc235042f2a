// Per-draw cost of the render-state holder and the transform stack as the device's draw-call
// listeners, on the null device: a steady draw (nothing changed), a scene batch (world pushed,
// set, drawn, popped) and blend toggling between two cached objects. The counters give the work
// per draw that reaches the device: state objects applied and matrix uploads.
#include "gralith/graphics/InputLayout.h"
#include "gralith/graphics/Program.h"
#include "gralith/graphics/Shader.h"
#include "gralith/graphics/VertexBuffer.h"
#include "gralith/graphics/null/NullDevice.h"
#include "gralith/graphics/null/NullShading.h"
#include "gralith/utils/State.h"
#include "gralith/utils/scenegraph/Transform.h"

#include <benchmark/benchmark.h>

using namespace Gralith::Graphics;
using Gralith::Utils::Matrix4;
using Gralith::Utils::State;
using Gralith::Utils::Transform;

namespace {

const char* const Uniforms = "uniform float4x4 World; uniform float4x4 View; uniform float4x4 Projection;\n"
                             "uniform float4x4 WorldView; uniform float4x4 ViewProjection;\n"
                             "uniform float4x4 WorldViewProjection; uniform float4 ViewportConformFactor;\n"
                             "uniform float3x3 NormalMatrix;\n";

const char* const Names[] = {
    "World",       "View", "Projection", "WorldView", "ViewProjection", "WorldViewProjection", "ViewportConformFactor",
    "NormalMatrix"};

struct Scene {
    Scene(bool withListeners) {
        device = NullDevice::Create(640, 480);
        buffer = device->CreateVertexBuffer(BufferModeStatic, 36, 12);
        InputElementDesc element{0, 0, 3, 0, DataTypeFloat32, 0};
        layout = device->CreateInputLayout(&element, 1);
        Shader* vs = device->CreateShader(VertexShader, 0, "main", 0, Uniforms);
        Shader* ps = device->CreateShader(PixelShader, 0, "main", 0, "");
        program = device->CreateProgram(vs, ps);
        vs->Release();
        ps->Release();
        device->SetVertexBuffer(0, buffer);
        device->SetInputLayout(layout);
        device->SetProgram(program);
        if (withListeners) {
            state = new State(device);
            transform = new Transform(device);
            transform->LookAt(0, -10, 5, 0, 0, 0, 0, 0, 1);
            transform->Perspective(60, 16.0f / 9.0f, 1, 1000);
        }
        // The calls the null device records would grow without bound.
        Draw();
        Draw();
    }
    ~Scene() {
        if (transform)
            transform->Release();
        if (state)
            state->Release();
        program->Release();
        layout->Release();
        buffer->Release();
        device->Release();
    }

    void Draw() {
        device->DrawUnindexed(0, 3);
        device->ClearCalls();
    }

    int Uploads() const {
        int total = 0;
        for (const char* name : Names)
            total += static_cast<NullParameter*>(program->GetParameter(name))->GetSetCount();
        return total;
    }

    void Report(benchmark::State& bench, int uploadsBefore, std::uint64_t appliesBefore) {
        double draws = static_cast<double>(bench.iterations());
        bench.counters["uploads/draw"] = (Uploads() - uploadsBefore) / draws;
        bench.counters["state applies/draw"] =
            static_cast<double>(device->GetStatistics().StateApplies() - appliesBefore) / draws;
    }

    NullDevice* device;
    VertexBuffer* buffer;
    InputLayout* layout;
    Program* program;
    State* state = nullptr;
    Transform* transform = nullptr;
};

void DrawWithoutListeners(benchmark::State& bench) {
    Scene scene(false);
    for (auto _ : bench)
        scene.Draw();
}
BENCHMARK(DrawWithoutListeners);

void SteadyDraw(benchmark::State& bench) {
    Scene scene(true);
    int uploads = scene.Uploads();
    auto applies = scene.device->GetStatistics().StateApplies();
    for (auto _ : bench)
        scene.Draw();
    scene.Report(bench, uploads, applies);
}
BENCHMARK(SteadyDraw);

void SceneBatch(benchmark::State& bench) {
    Scene scene(true);
    Matrix4 batch = Matrix4::Translation(1, 2, 3) * Matrix4::Rotation(30, 0, 0, 1);
    int uploads = scene.Uploads();
    auto applies = scene.device->GetStatistics().StateApplies();
    for (auto _ : bench) {
        scene.transform->PushWorld();
        scene.transform->SetWorld(scene.transform->GetWorld() * batch);
        scene.Draw();
        scene.transform->PopWorld();
    }
    scene.Report(bench, uploads, applies);
}
BENCHMARK(SceneBatch);

void BlendToggle(benchmark::State& bench) {
    Scene scene(true);
    int uploads = scene.Uploads();
    auto applies = scene.device->GetStatistics().StateApplies();
    bool additive = false;
    for (auto _ : bench) {
        additive = !additive;
        if (additive)
            scene.state->SetBlend(BlendSrcAlpha, BlendOne);
        else
            scene.state->SetBlend(BlendSrcAlpha, BlendInvSrcAlpha);
        scene.Draw();
    }
    scene.Report(bench, uploads, applies);
}
BENCHMARK(BlendToggle);

} // namespace

BENCHMARK_MAIN();
