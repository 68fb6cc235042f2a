// The script reader and the timeline it fills, on a recording null device: a probe effect class
// logs what the timeline asks of it.

#include "velorin/Script.h"
#include "gralith/Exception.h"
#include "gralith/graphics/Surface.h"
#include "gralith/graphics/null/NullDevice.h"
#include "gralith/utils/FileSystem.h"
#include "gralith/utils/assets/Proxy.h"
#include "velorin/ClearScreen.h"
#include "velorin/Controller.h"
#include "velorin/Effect.h"
#include "velorin/Framebuffer.h"
#include "velorin/Globals.h"
#include "velorin/Influence.h"
#include "velorin/Timeline.h"

#include "tests/support/CommaLocale.h"
#include "tests/support/Expect.h"
#include "tests/support/TempDirectory.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

using Vec = Velorin::Effect::Vector4;

/// Script class "Probe": float "F"; Load throws when "FailLoad" is not 0. Every call is logged,
/// a render into an offscreen target with a '*'.
class Probe : public Velorin::Effect {
public:
    Probe() {
        RegisterParameter("F", &f);
        RegisterParameter("FailLoad", &failLoad);
    }
    void Load() override {
        if (failLoad)
            throw Gralith::Exception("Probe refused to load");
    }
    void Update() override { log += "Update " + std::string(GetName().CStr()) + " "; }
    void Render() override {
        bool offscreen = Velorin::GraphicsDevice->GetColorTargetCount() > 0;
        log += "Render " + std::string(GetName().CStr()) + (offscreen ? "* " : " ");
    }

    float f = -1.0f;
    int failLoad = 0;
    static inline std::string log;
};

class Script : public ::testing::Test {
protected:
    void SetUp() override {
        Velorin::RegisterEffectClass("Probe", [] { return static_cast<Velorin::Effect*>(new Probe); });
        Probe::log.clear();
        device = Gralith::Graphics::NullDevice::Create();
        Velorin::GraphicsDevice = device;
        auto* directory = new Gralith::Utils::Directory(data.Path().c_str());
        Velorin::AssetProxy = new Gralith::Utils::Assets::Proxy(directory, device, nullptr, nullptr);
        directory->Release();
        backbuffer = {device->GetBackBuffer(), nullptr, "Backbuffer"};
        Velorin::BackbufferFramebuffer = &backbuffer;
        Reset();
    }
    void TearDown() override {
        Velorin::ResetTimeline();
        Velorin::AssetProxy->Release();
        device->Release();
    }
    void Reset() {
        Velorin::ResetTimeline();
        Velorin::Framebuffers.Add(&backbuffer);
    }

    // The proxy caches by descriptor, so every script gets a file of its own.
    void Load(const std::string& body) {
        std::string name = "demo" + std::to_string(++scripts) + ".xml";
        data.Write(name, "<?xml version=\"1.0\"?>\n<Demo>" + body + "</Demo>\n");
        Velorin::LoadScript(name.c_str());
    }
    template <class T = Velorin::ClearScreen>
    T* Named(const char* name) {
        for (Velorin::Effect* e : Velorin::Effects)
            if (e->GetName() == name)
                return dynamic_cast<T*>(e);
        return nullptr;
    }
    Vec ColorAt(double t) {
        Velorin::RunTimeline(t);
        return Named("c")->GetColor();
    }

    GralithTest::TempDirectory data;
    Gralith::Graphics::NullDevice* device = nullptr;
    Velorin::Framebuffer backbuffer;
    int scripts = 0;
};

TEST_F(Script, BuildsEffectsStagesAndBlocksInDocumentOrderAndReadsNumbersAlikeInACommaLocale) {
    GralithTest::CommaLocale comma;
    ASSERT_TRUE(comma.Active());
    Load(R"(<Effect Name="black"><ClearScreen/></Effect><Ignored/>
        <Effect Name="c"><ClearScreen><Color x="0.25" y="0.5" z="0.75" w="0.125"/><Depth value="0.5"/>
            <Stencil value="0x10"/></ClearScreen><Extra/></Effect>
        <Stage><Block Start="0.1" Length="1.25" Effect="c"/><Note/>
               <Block Start="3" Length="1" Effect="black" RenderTarget="Backbuffer"/></Stage><Stage/>)");
    ASSERT_EQ(2, Velorin::Effects.Count());
    EXPECT_STREQ("black", Velorin::Effects[0]->GetName().CStr());
    EXPECT_EQ(Vec(0.25f, 0.5f, 0.75f, 0.125f), Named("c")->GetColor());
    EXPECT_EQ(0.5f, Named("c")->GetDepth());
    EXPECT_EQ(16, Named("c")->GetStencil()) << "integers follow the C conversion";
    ASSERT_EQ(2, Velorin::Stages.Count());
    const Velorin::Stage& stage = *Velorin::Stages[0];
    ASSERT_EQ(2, stage.Count());
    EXPECT_EQ(static_cast<double>(0.1f), stage[0].start) << "read as a 32-bit float, kept in 64 bits";
    EXPECT_EQ(1.25, stage[0].length);
    EXPECT_EQ(Velorin::Effects[1], stage[0].effect);
    EXPECT_EQ(&backbuffer, stage[0].framebuffer);
    EXPECT_EQ(&backbuffer, stage[1].framebuffer);
    EXPECT_EQ(0, Velorin::Stages[1]->Count());
}

TEST_F(Script, KeyValueRegisterCarriesOverChannelsAndKeys) {
    Load(R"(<Effect Name="c"><ClearScreen><Color><LinearKeys>
        <Key Time="0" r="1" g="0.5"/><Key Time="2" b="0.25"/><Key Time="4"/></LinearKeys></Color></ClearScreen></Effect>)");
    EXPECT_STREQ("LinearKeys", Velorin::Influences[0]->controller->type.CStr());
    EXPECT_EQ(Vec(1.0f, 0.5f, 0.5f, 0.5f), ColorAt(0.0)) << "g's 0.5 carries to b and a";
    EXPECT_EQ(Vec(0.5f, 0.5f, 0.25f, 0.25f), ColorAt(2.0)) << "red takes the register left by key 1";
    EXPECT_EQ(Vec(0.25f, 0.25f, 0.25f, 0.25f), ColorAt(4.0)) << "a key naming nothing repeats the last value";
    EXPECT_EQ(Vec(0.75f, 0.5f, 0.375f, 0.375f), ColorAt(1.0));
}

TEST_F(Script, ErrorsInsideEffectsAreWrappedWithTheNameAndStageErrorsAreNot) {
    // Each script after an effect "a" that loads. Effect "e" fails inside: its message names it.
    const std::string e = "Failed to load effect 'e': ";
    auto inE = [](const std::string& body) { return "<Effect Name=\"e\">" + body + "</Effect>"; };
    auto inClear = [&](const std::string& body) { return inE("<ClearScreen>" + body + "</ClearScreen>"); };
    const std::pair<std::string, std::string> cases[] = {
        {inE(""), e + "Effect node lacks instance element"},
        {inE("<Test01/>"), e + "Invalid effect class: Test01"},
        {inClear(R"(<Colour r="1"/>)"), e + "Invalid parameter to 'e': 'Colour'"},
        {inClear("<Color/>"), e + "Expected values or controller"},
        {inClear("<Depth><CubicKeys/></Depth>"), e + "Invalid controller type: 'CubicKeys'"},
        {inClear(R"(<Color r="1" g="0" b="0"/>)"), e + "Unable to convert string to float"},
        {inClear(R"(<Stencil value="many"/>)"), e + "Unable to convert string to integer"},
        {inClear(R"(<Depth><LinearKeys><Key Value="1"/></LinearKeys></Depth>)"),
         e + "Unable to convert string to float"},
        {inE(R"(<Probe><FailLoad value="1"/></Probe>)"), e + "Probe refused to load"},
        {R"(<Effect><ClearScreen><Oops value="1"/></ClearScreen></Effect>)",
         "Failed to load effect '': Invalid parameter to '': 'Oops'"},
        // Stage errors are not wrapped.
        {R"(<Stage><Block Length="1" Effect="a"/></Stage>)", "Unable to convert string to float"},
        {R"(<Stage><Block Start="0" Length="1" Effect="late"/></Stage><Effect Name="late"><ClearScreen/></Effect>)",
         "No such effect: late"},
        {R"(<Stage><Block Start="0" Length="1" Effect="a" RenderTarget="backbuffer"/></Stage>)",
         "No such framebuffer: backbuffer"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.first);
        EXPECT_EQ(c.second,
                  GralithTest::MessageOf([&] { Load(R"(<Effect Name="a"><ClearScreen/></Effect>)" + c.first); }));
        EXPECT_EQ(1, Velorin::Effects.Count()) << "a failed effect never joins Effects";
        EXPECT_EQ(0, Velorin::Stages.Count());
        Reset();
    }
    EXPECT_EQ(0, GralithTest::MessageOf([] {
                     Velorin::LoadScript("absent.xml");
                 }).rfind("The following asset could not be loaded: absent.xml\n", 0));
}

TEST_F(Script, BlockIsActiveStrictlyInsideItsIntervalComparedIn64Bits) {
    const double start = static_cast<double>(0.1f), end = start + static_cast<double>(0.2f);
    const struct {
        const char *start, *length;
        double t;
        bool active;
    } cases[] = {// 0.1f is just above 0.1: both ends compared in 64 bits, neither inside
                 {"0.1", "0.2", 0.1, false},
                 {"0.1", "0.2", start, false},
                 {"0.1", "0.2", std::nextafter(start, 1.0), true},
                 {"0.1", "0.2", std::nextafter(end, 0.0), true},
                 {"0.1", "0.2", end, false},
                 // the time without music
                 {"-5", "10", -1.0, true}};
    for (const auto& c : cases) {
        Reset();
        Load(std::string(R"(<Effect Name="p"><Probe/></Effect><Stage><Block Start=")") + c.start + "\" Length=\"" +
             c.length + R"(" Effect="p"/></Stage>)");
        Probe::log.clear();
        Velorin::RunTimeline(c.t);
        EXPECT_EQ(c.active, Probe::log.find("Render") != std::string::npos)
            << c.start << " + " << c.length << " at " << c.t;
    }
}

TEST_F(Script, EveryFrameInfluencesThenUpdatesAllThenRendersActiveBlocksStageByStage) {
    Gralith::Graphics::Surface* offscreen = device->CreateSurface(16, 16, Gralith::Graphics::PixelFormatR8G8B8A8, 0);
    Velorin::Framebuffer glow{offscreen, nullptr, "Glow"};
    Velorin::Framebuffers.Add(&glow);
    Load(R"(<Effect Name="a"><Probe><F><LinearKeys><Key Time="0" Value="0"/><Key Time="10" Value="10"/></LinearKeys>
        </F></Probe></Effect><Effect Name="b"><Probe/></Effect>
        <Stage><Block Start="0" Length="10" Effect="b" RenderTarget="Glow"/><Block Start="0" Length="10" Effect="a"/></Stage>
        <Stage><Block Start="0" Length="10" Effect="a" RenderTarget="Glow"/><Block Start="20" Length="10" Effect="b"/></Stage>)");
    EXPECT_EQ(-1.0f, Named<Probe>("a")->f) << "the default holds until the first frame";
    Velorin::RunTimeline(5.0);
    EXPECT_EQ(5.0f, Named<Probe>("a")->f);
    EXPECT_EQ("Update a Update b Render b* Render a Render a* ", Probe::log);
    Probe::log.clear();
    Velorin::RunTimeline(25.0);
    EXPECT_EQ("Update a Update b Render b ", Probe::log);
    offscreen->Release();
}

} // namespace
