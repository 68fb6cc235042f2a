#include "tests/velorin/ScriptFixture.h"

#include "gralith/Exception.h"
#include "gralith/graphics/Device.h"
#include "gralith/utils/FileSystem.h"
#include "gralith/utils/assets/Proxy.h"
#include "velorin/Globals.h"
#include "velorin/Script.h"
#include "velorin/Timeline.h"

#include <cstring>

namespace VelorinTest {

ClearRecordingDevice* ClearRecordingDevice::Create() {
    auto* device = new ClearRecordingDevice;
    device->SetUpDefaultState();
    device->SetRenderTargets(0, nullptr, nullptr);
    device->ClearCalls();
    return device;
}

void ClearRecordingDevice::Clear(int flags, float red, float green, float blue, float alpha, float depth, int stencil) {
    clears.push_back(
        {flags, red, green, blue, alpha, depth, stencil, GetColorTargetCount() > 0 ? GetColorTarget(0) : nullptr});
    NullDevice::Clear(flags, red, green, blue, alpha, depth, stencil);
}

std::vector<ProbeEvent> Probe::events;

Probe::Probe() {
    RegisterParameter("V", &v);
    RegisterParameter("N", &n);
    RegisterParameter("F", &f);
    RegisterParameter("Both", &bothVector);
    RegisterParameter("Both", &bothInt);
    RegisterParameter("Both", &bothFloat);
    RegisterParameter("IntOrFloat", &intOrFloatFloat);
    RegisterParameter("IntOrFloat", &intOrFloatInt);
    RegisterParameter("FailLoad", &failLoad);
}

void Probe::Load() {
    events.push_back({GetName().CStr(), "Load", nullptr, n});
    if (failLoad)
        throw Gralith::Exception("Probe refused to load");
}

void Probe::Update() { events.push_back({GetName().CStr(), "Update", nullptr, n}); }

void Probe::Render() {
    Gralith::Graphics::Device* d = Velorin::GraphicsDevice;
    events.push_back({GetName().CStr(), "Render", d->GetColorTargetCount() > 0 ? d->GetColorTarget(0) : nullptr, n});
}

void ScriptTest::SetUp() {
    Velorin::RegisterEffectClass("Probe", [] { return static_cast<Velorin::Effect*>(new Probe); });
    Probe::events.clear();
    device = ClearRecordingDevice::Create();
    Velorin::GraphicsDevice = device;
    auto* directory = new Gralith::Utils::Directory(data.Path().c_str());
    Velorin::AssetProxy = new Gralith::Utils::Assets::Proxy(directory, device, nullptr, nullptr);
    directory->Release();
    backbuffer.colorSurface = device->GetBackBuffer();
    backbuffer.depthSurface = nullptr;
    backbuffer.name = "Backbuffer";
    Velorin::BackbufferFramebuffer = &backbuffer;
    Velorin::Framebuffers.Add(&backbuffer);
}

void ScriptTest::TearDown() {
    Velorin::ResetTimeline();
    Velorin::BackbufferFramebuffer = nullptr;
    Velorin::AssetProxy->Release();
    Velorin::AssetProxy = nullptr;
    Velorin::GraphicsDevice = nullptr;
    device->Release();
}

void ScriptTest::Load(const std::string& xml) {
    // The proxy caches by descriptor, so every script of a test gets its own file.
    std::string name = "demo" + std::to_string(++scripts) + ".xml";
    data.Write(name, xml);
    Velorin::LoadScript(name.c_str());
}

void ScriptTest::ExpectLoadError(const std::string& xml, const std::string& message) {
    try {
        Load(xml);
        ADD_FAILURE() << "no error; expected: " << message;
    } catch (const Gralith::Exception& e) {
        EXPECT_EQ(message, e.GetMessage());
    }
}

Velorin::Effect* ScriptTest::EffectNamed(const char* name) {
    for (Velorin::Effect* e : Velorin::Effects)
        if (e->GetName() == name)
            return e;
    return nullptr;
}

} // namespace VelorinTest
