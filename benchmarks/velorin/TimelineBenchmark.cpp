// One frame of the timeline for a show-sized script: 40 ClearScreen effects, each with an
// animated colour of 200 linear keys and an animated stencil of 200 switch keys, on 4 stages
// of 10 blocks. Reported per frame; "playing" advances 1/60 s per frame as the show does,
// "seeking" jumps across the whole show every frame (the worst case for the key cursors).

#include "gralith/graphics/null/NullDevice.h"
#include "gralith/utils/FileSystem.h"
#include "gralith/utils/assets/Proxy.h"
#include "velorin/Framebuffer.h"
#include "velorin/Globals.h"
#include "velorin/Script.h"
#include "velorin/Timeline.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

constexpr int EffectCount = 40;
constexpr int KeyCount = 200;
constexpr double ShowLength = 50.0;

std::string MakeScript() {
    std::ostringstream xml;
    xml << "<Demo>\n";
    for (int e = 0; e < EffectCount; ++e) {
        xml << "<Effect Name=\"e" << e << "\"><ClearScreen><Color><LinearKeys>";
        for (int k = 0; k < KeyCount; ++k)
            xml << "<Key Time=\"" << ShowLength * k / (KeyCount - 1) << "\" r=\"" << (k % 7) / 7.0
                << "\" g=\"0.5\" b=\"" << (k % 3) / 3.0 << "\" a=\"1\"/>";
        xml << "</LinearKeys></Color><Stencil><SwitchKeys>";
        for (int k = 0; k < KeyCount; ++k)
            xml << "<Key Time=\"" << ShowLength * k / (KeyCount - 1) << "\" Value=\"" << k << "\"/>";
        xml << "</SwitchKeys></Stencil></ClearScreen></Effect>\n";
    }
    for (int s = 0; s < 4; ++s) {
        xml << "<Stage>";
        for (int b = 0; b < 10; ++b)
            xml << "<Block Start=\"" << b * 5 << "\" Length=\"5.5\" Effect=\"e" << s * 10 + b << "\"/>";
        xml << "</Stage>\n";
    }
    xml << "</Demo>\n";
    return xml.str();
}

class Show {
public:
    Show() {
        char pattern[] = "/tmp/velorin-bench-XXXXXX";
        directory = mkdtemp(pattern);
        std::ofstream(directory + "/demo.xml") << MakeScript();
        device = Gralith::Graphics::NullDevice::Create(1024, 768);
        auto* files = new Gralith::Utils::Directory(directory.c_str());
        Velorin::GraphicsDevice = device;
        Velorin::AssetProxy = new Gralith::Utils::Assets::Proxy(files, device, nullptr, nullptr);
        files->Release();
        backbuffer = {device->GetBackBuffer(), nullptr, "Backbuffer"};
        Velorin::BackbufferFramebuffer = &backbuffer;
        Velorin::Framebuffers.Add(&backbuffer);
        Velorin::LoadScript("demo.xml");
    }
    ~Show() {
        Velorin::ResetTimeline();
        Velorin::BackbufferFramebuffer = nullptr;
        Velorin::AssetProxy->Release();
        Velorin::AssetProxy = nullptr;
        Velorin::GraphicsDevice = nullptr;
        device->Release();
        std::filesystem::remove_all(directory);
    }

    Gralith::Graphics::NullDevice* device;

private:
    std::string directory;
    Velorin::Framebuffer backbuffer;
};

void TimelinePlaying(benchmark::State& state) {
    Show show;
    double time = 0.0;
    for (auto _ : state) {
        Velorin::RunTimeline(time);
        time += 1.0 / 60.0;
        if (time > ShowLength)
            time = 0.0;
        show.device->ClearCalls();
    }
    state.counters["influences"] = Velorin::Influences.Count();
}
BENCHMARK(TimelinePlaying)->Unit(benchmark::kMicrosecond);

void TimelineSeeking(benchmark::State& state) {
    Show show;
    int frame = 0;
    for (auto _ : state) {
        // Alternate between the two ends so every channel walks its whole key list.
        Velorin::RunTimeline(frame++ % 2 ? ShowLength * 0.999 : 0.001);
        show.device->ClearCalls();
    }
}
BENCHMARK(TimelineSeeking)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
