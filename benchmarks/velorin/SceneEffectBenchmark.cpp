// The scene effect's frame on the headless OpenGL device (llvmpipe in CI) at 1024 x 768 and
// 1920 x 1080: milliseconds per frame and per pass (glFinish after each pass, so a pass's time
// is its own work), and heap allocations per frame. Reads the build's generated data/ when it
// is complete, otherwise a small stand-in folder (flat images, a box-shaped scene) with the
// shipped shaders.

#include "tests/support/ImageEncoding.h"

#include "gralith/graphics/Device.h"
#include "gralith/graphics/SamplerState.h"
#include "gralith/graphics/gl/CGShadingContext.h"
#include "gralith/graphics/gl/EGLGLDevice.h"
#include "gralith/utils/BinaryWriter.h"
#include "gralith/utils/FileSystem.h"
#include "gralith/utils/GeoStream.h"
#include "gralith/utils/State.h"
#include "gralith/utils/assets/Proxy.h"
#include "gralith/utils/scenegraph/FSGWriter.h"
#include "gralith/utils/scenegraph/Transform.h"
#include "tests/velorin/effects/BoxScene.h"
#include "velorin/Globals.h"
#include "velorin/Settings.h"
#include "velorin/effects/Test01.h"

#include <EGL/egl.h>
#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <new>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::atomic<long> allocations{0};
bool counting = false;

} // namespace

// With the replaced operators in the same file as their callers, optimised GCC 12 pairs free()
// with the built-in operator new and warns about a mismatch that cannot happen.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

void* operator new(std::size_t size) {
    if (counting)
        allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

using namespace Gralith::Graphics;
using Gralith::Utils::SceneGraph::FGMWriter;
using Gralith::Utils::SceneGraph::FSGWriter;
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

void Write(const fs::path& file, const std::string& bytes) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string Image(int size, unsigned r, unsigned g, unsigned b, unsigned a) {
    GralithTest::PngImage image;
    image.width = image.height = size;
    image.colorType = 6;
    for (int i = 0; i < size * size; ++i)
        image.samples.insert(image.samples.end(), {r, g, b, a});
    auto bytes = GralithTest::EncodePng(image);
    return std::string(bytes.begin(), bytes.end());
}

// The build's data/ when the content tools have filled it, otherwise a stand-in.
std::string DataFolder() {
    const fs::path built = HALCYRA_BUILD_DATA;
    if (fs::exists(built / "scenes/halcyra2.fsg") && fs::exists(built / "textures/shapes.png") &&
        fs::exists(built / "shaders/halcyra.cg"))
        return built.string();
    static const fs::path stand = fs::temp_directory_path() / "halcyra-scene-benchmark";
    fs::remove_all(stand);
    for (const char* shader : {"halcyra", "texture", "blur", "particles"}) {
        std::string name = std::string("shaders/") + shader + ".cg";
        std::ifstream in(std::string(HALCYRA_SOURCE_DATA) + "/" + name, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        Write(stand / name, text.str());
    }
    const std::string opaque = Image(256, 200, 200, 220, 255), card = Image(512, 255, 255, 255, 128);
    for (const char* name : {"white", "shapes", "varrow"})
        Write(stand / "textures" / (std::string(name) + ".png"), opaque);
    for (const char* name : {"logo", "logo_strek", "strek_blaa", "1", "2", "3", "4", "5"})
        Write(stand / "textures" / (std::string(name) + ".png"), card);
    Write(stand / "scenes/halcyra2.fsg", BoxScene());
    std::fprintf(stderr, "scene benchmark: no generated data in %s, using a stand-in folder\n", HALCYRA_BUILD_DATA);
    return stand.string();
}

GLShadingContext* MakeShading(GLDevice* device) { return new CGShadingContext(device); }

void (*finish)() = nullptr;
Clock::time_point passStart;
double passSeconds[Velorin::Test01::PassCount];

void TimePass(Velorin::Test01::Pass pass) {
    finish();
    Clock::time_point now = Clock::now();
    passSeconds[pass] += std::chrono::duration<double>(now - passStart).count();
    passStart = now;
}

// Devices, proxies and effects stay alive for the process: the image passes keep programs per
// proxy, and the show never releases them either.
Velorin::Test01* MakeShow(int width, int height) {
    Velorin::ResolutionX = width;
    Velorin::ResolutionY = height;
    Velorin::Aspect = static_cast<float>(width) / static_cast<float>(height);
    Velorin::Tempo = 128.0f;
    EGLGLDevice* device = EGLGLDevice::Create(width, height, Depth24Stencil8, 0, &MakeShading);
    Velorin::GraphicsDevice = device;
    Velorin::RenderState = new Gralith::Utils::State(device);
    Velorin::TransformStack = new Gralith::Utils::Transform(device);
    Velorin::GeometryStream = new Gralith::Utils::GeoStream(device, 100);
    Velorin::LinearClampSampler =
        device->CreateSamplerState({FilterLinear, FilterLinear, FilterNone, AddressClamp, AddressClamp, AddressClamp});
    auto* directory = new Gralith::Utils::Directory(DataFolder().c_str());
    Velorin::AssetProxy = new Gralith::Utils::Assets::Proxy(directory, device, nullptr, Velorin::RenderState);
    auto* show = new Velorin::Test01;
    show->Load();
    if (!finish)
        finish = reinterpret_cast<void (*)()>(eglGetProcAddress("glFinish"));
    return show;
}

void SceneFrame(benchmark::State& state) {
    const int width = static_cast<int>(state.range(0)), height = static_cast<int>(state.range(1));
    Velorin::Test01* show = MakeShow(width, height);
    const char* const names[] = {"scene", "particles", "copy", "blur", "composite", "overlays"};
    for (double& s : passSeconds)
        s = 0;
    Velorin::FrameDelta = 1.0 / 60.0;
    Velorin::Spectrum[0] = 0.1f;
    // Warm up over the show's sections: programs link, textures upload and the driver builds
    // its pipeline variants on first use, none of which the show repeats.
    for (double warm : {0.5, 6.0, 14.0, 15.05, 20.0, 25.0, 31.0, 45.0, 46.9}) {
        Velorin::MusicTime = warm;
        show->Render();
        Velorin::GraphicsDevice->Present();
    }
    finish();

    Velorin::Test01::PassDone = &TimePass;
    long frames = 0, allocated = 0;
    double t = 0.5;
    for (auto _ : state) {
        Velorin::MusicTime = t;
        t += 1.0 / 60.0;
        if (t >= 49.0)
            t = 0.5;
        passStart = Clock::now();
        long before = allocations.load();
        counting = true;
        show->Render();
        counting = false;
        allocated += allocations.load() - before;
        Velorin::GraphicsDevice->Present();
        ++frames;
    }
    Velorin::Test01::PassDone = nullptr;
    for (int p = 0; p < Velorin::Test01::PassCount; ++p)
        state.counters[std::string("ms_") + names[p]] = 1000.0 * passSeconds[p] / static_cast<double>(frames);
    state.counters["allocs_per_frame"] = static_cast<double>(allocated) / static_cast<double>(frames);
    state.counters["fps"] = benchmark::Counter(static_cast<double>(frames), benchmark::Counter::kIsRate);
}

BENCHMARK(SceneFrame)
    ->Args({1024, 768})
    ->Args({1920, 1080})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(3.0);

} // namespace

BENCHMARK_MAIN();
