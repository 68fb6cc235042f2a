#pragma once

// A presentation without a window: a recording null device with its "Backbuffer" framebuffer,
// an asset proxy on a temporary data directory, and a probe effect class whose parameters,
// loading and rendering the tests can watch.

#include "gralith/graphics/null/NullDevice.h"
#include "velorin/Effect.h"
#include "velorin/Framebuffer.h"

#include "tests/support/TempDirectory.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace VelorinTest {

/// The null device, also keeping every Clear's arguments (it records only flags and stencil).
class ClearRecordingDevice : public Gralith::Graphics::NullDevice {
public:
    struct ClearArgs {
        int flags;
        float red, green, blue, alpha, depth;
        int stencil;
        Gralith::Graphics::Surface* target; // colour target bound, null for the window
    };

    static ClearRecordingDevice* Create();
    void Clear(int flags, float red, float green, float blue, float alpha, float depth, int stencil) override;

    std::vector<ClearArgs> clears;

private:
    ClearRecordingDevice() : NullDevice(640, 480) {}
};

/// What a probe effect saw in one call.
struct ProbeEvent {
    std::string effect;
    std::string call;                   // "Load", "Update" or "Render"
    Gralith::Graphics::Surface* target; // for Render: colour target bound (null: the window)
    int values;                         // for Load: N as it was then
};

/// Script class "Probe": vector "V", integer "N", float "F"; "Both" is registered in all three
/// maps and "IntOrFloat" in the integer and float maps. Load throws when "FailLoad" is not 0.
class Probe : public Velorin::Effect {
public:
    Probe();
    void Load() override;
    void Update() override;
    void Render() override;

    Vector4 v, bothVector;
    int n = -1, bothInt = -1, intOrFloatInt = -1, failLoad = 0;
    float f = -1.0f, bothFloat = -1.0f, intOrFloatFloat = -1.0f;

    static std::vector<ProbeEvent> events;
};

class ScriptTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    /// Writes the text to a new script file and reads it.
    void Load(const std::string& xml);
    /// Load, expecting exactly this Exception message.
    void ExpectLoadError(const std::string& xml, const std::string& message);

    Velorin::Effect* EffectNamed(const char* name);

    GralithTest::TempDirectory data;
    ClearRecordingDevice* device = nullptr;
    Velorin::Framebuffer backbuffer;
    int scripts = 0;
};

} // namespace VelorinTest
