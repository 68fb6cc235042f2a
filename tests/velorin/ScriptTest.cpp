#include "tests/velorin/ScriptFixture.h"

#include "gralith/Exception.h"
#include "velorin/ClearScreen.h"
#include "velorin/Controller.h"
#include "velorin/Globals.h"
#include "velorin/Influence.h"
#include "velorin/Script.h"
#include "velorin/Timeline.h"

#include "tests/support/CommaLocale.h"

#include <cmath>

using namespace VelorinTest;
using Velorin::ClearScreen;

namespace {

std::string Script(const std::string& body) { return "<?xml version=\"1.0\"?>\n<Demo>\n" + body + "\n</Demo>\n"; }

Probe* ProbeNamed(ScriptTest*, Velorin::Effect* e) { return dynamic_cast<Probe*>(e); }

class ScriptReader : public ScriptTest {
protected:
    Probe* LoadProbe(const std::string& parameters) {
        Load(Script("<Effect Name=\"p\"><Probe>" + parameters + "</Probe></Effect>"));
        return ProbeNamed(this, EffectNamed("p"));
    }

    // The colour a ClearScreen holds after the timeline ran at time t.
    Velorin::Effect::Vector4 ColorAt(const char* name, double t) {
        Velorin::RunTimeline(t);
        return static_cast<ClearScreen*>(EffectNamed(name))->GetColor();
    }
};

using Vec = Velorin::Effect::Vector4;

TEST_F(ScriptReader, BuildsEffectsStagesAndBlocksInDocumentOrder) {
    Load(Script(R"(
        <Effect Name="black"><ClearScreen/></Effect>
        <Ignored/>
        <Effect Name="red"><ClearScreen><Color r="1" g="0" b="0" a="1"/></ClearScreen><Extra/></Effect>
        <Stage>
            <Block Start="0.1" Length="2.5" Effect="red"/>
            <Note/>
            <Block Start="3" Length="1" Effect="black" RenderTarget="Backbuffer"/>
        </Stage>
        <Stage/>)"));

    ASSERT_EQ(2, Velorin::Effects.Count());
    EXPECT_STREQ("black", Velorin::Effects[0]->GetName().CStr());
    EXPECT_STREQ("red", Velorin::Effects[1]->GetName().CStr());
    ASSERT_EQ(2, Velorin::Stages.Count());
    const Velorin::Stage& stage = *Velorin::Stages[0];
    ASSERT_EQ(2, stage.Count());
    // Start and Length are read as 32-bit floats, then kept in 64 bits.
    EXPECT_EQ(static_cast<double>(0.1f), stage[0].start);
    EXPECT_EQ(static_cast<double>(2.5f), stage[0].length);
    EXPECT_EQ(Velorin::Effects[1], stage[0].effect);
    EXPECT_EQ(Velorin::BackbufferFramebuffer, stage[0].framebuffer);
    EXPECT_EQ(Velorin::BackbufferFramebuffer, stage[1].framebuffer) << "\"Backbuffer\" is the same as none";
    EXPECT_EQ(0, Velorin::Stages[1]->Count()) << "a stage without blocks stays";
    EXPECT_EQ(0, Velorin::Influences.Count());
}

TEST_F(ScriptReader, ConstantValuesReachTheFields) {
    Load(Script(R"(<Effect Name="c"><ClearScreen>
        <Color x="0.25" y="0.5" z="0.75" w="0.125"/><Depth value="0.5"/><Stencil value="0x10"/>
        </ClearScreen></Effect>)"));
    auto* clear = static_cast<ClearScreen*>(EffectNamed("c"));
    EXPECT_EQ(Vec(0.25f, 0.5f, 0.75f, 0.125f), clear->GetColor());
    EXPECT_EQ(0.5f, clear->GetDepth());
    EXPECT_EQ(16, clear->GetStencil());
}

TEST_F(ScriptReader, NumbersReadAlikeUnderACommaDecimalLocale) {
    GralithTest::CommaLocale comma;
    ASSERT_TRUE(comma.Active());
    Load(Script(R"(<Effect Name="c"><ClearScreen>
        <Color r="0.25" g="0.5" b="0.75" a="1"/><Depth value="0.5"/></ClearScreen></Effect>
        <Stage><Block Start="0.5" Length="1.25" Effect="c"/></Stage>)"));
    auto* clear = static_cast<ClearScreen*>(EffectNamed("c"));
    EXPECT_EQ(Vec(0.25f, 0.5f, 0.75f, 1.0f), clear->GetColor());
    EXPECT_EQ(0.5f, clear->GetDepth());
    ASSERT_EQ(1, Velorin::Stages.Count());
    EXPECT_EQ(0.5, (*Velorin::Stages[0])[0].start);
    EXPECT_EQ(1.25, (*Velorin::Stages[0])[0].length);
}

TEST_F(ScriptReader, ValueRegisterCarriesOverChannelsAndKeys) {
    Load(Script(R"(<Effect Name="c"><ClearScreen><Color><LinearKeys>
        <Key Time="0" r="1" g="0.5"/>
        <Key Time="2" b="0.25"/>
        <Key Time="4"/>
        </LinearKeys></Color></ClearScreen></Effect>)"));
    ASSERT_EQ(1, Velorin::Influences.Count());
    EXPECT_STREQ("LinearKeys", Velorin::Influences[0]->controller->type.CStr());
    // Key 1: r=1, then g=0.5 carries to b and a.
    EXPECT_EQ(Vec(1.0f, 0.5f, 0.5f, 0.5f), ColorAt("c", 0.0));
    // Key 2 names no red: red gets the register, still 0.5 from key 1's last channel.
    EXPECT_EQ(Vec(0.5f, 0.5f, 0.25f, 0.25f), ColorAt("c", 2.0));
    // Key 3 names nothing: every channel repeats the last value read (0.25).
    EXPECT_EQ(Vec(0.25f, 0.25f, 0.25f, 0.25f), ColorAt("c", 4.0));
    EXPECT_EQ(Vec(0.75f, 0.5f, 0.375f, 0.375f), ColorAt("c", 1.0));
}

TEST_F(ScriptReader, ErrorsInsideEffectsAreWrappedWithTheName) {
    const std::pair<const char*, const char*> cases[] = {
        {R"(<Effect Name="e"/>)", "Failed to load effect 'e': Effect node lacks instance element"},
        {R"(<Effect Name="e"><Test01/></Effect>)", "Failed to load effect 'e': Invalid effect class: Test01"},
        {R"(<Effect Name="e"><clearscreen/></Effect>)", "Failed to load effect 'e': Invalid effect class: clearscreen"},
        {R"(<Effect Name="e"><ClearScreen><Colour r="1"/></ClearScreen></Effect>)",
         "Failed to load effect 'e': Invalid parameter to 'e': 'Colour'"},
        {R"(<Effect Name="e"><ClearScreen><Color/></ClearScreen></Effect>)",
         "Failed to load effect 'e': Expected values or controller"},
        {R"(<Effect Name="e"><ClearScreen><Depth><CubicKeys/></Depth></ClearScreen></Effect>)",
         "Failed to load effect 'e': Invalid controller type: 'CubicKeys'"},
        {R"(<Effect Name="e"><ClearScreen><Color r="1" g="0" b="0"/></ClearScreen></Effect>)",
         "Failed to load effect 'e': Unable to convert string to float"},
        {R"(<Effect Name="e"><ClearScreen><Stencil value="many"/></ClearScreen></Effect>)",
         "Failed to load effect 'e': Unable to convert string to integer"},
        {R"(<Effect Name="e"><ClearScreen><Depth><LinearKeys><Key Value="1"/></LinearKeys></Depth></ClearScreen></Effect>)",
         "Failed to load effect 'e': Unable to convert string to float"},
        {R"(<Effect Name="e"><ClearScreen><Depth><LinearKeys><Key Time="0" Value="x"/></LinearKeys></Depth></ClearScreen></Effect>)",
         "Failed to load effect 'e': Unable to convert string to float"},
        {R"(<Effect Name="e"><Probe><FailLoad value="1"/></Probe></Effect>)",
         "Failed to load effect 'e': Probe refused to load"},
        {R"(<Effect><ClearScreen><Oops value="1"/></ClearScreen></Effect>)",
         "Failed to load effect '': Invalid parameter to '': 'Oops'"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.first);
        ExpectLoadError(Script(c.first), c.second);
        EXPECT_EQ(0, Velorin::Effects.Count()) << "a failed effect never joins Effects";
        Velorin::ResetTimeline();
        Velorin::Framebuffers.Add(&backbuffer);
    }
}

TEST_F(ScriptReader, MissingScriptReportsTheProxysMessage) {
    try {
        Velorin::LoadScript("absent.xml");
        FAIL() << "no error";
    } catch (const Gralith::Exception& e) {
        EXPECT_EQ(0, std::string(e.GetMessage()).rfind("The following asset could not be loaded: absent.xml\n", 0))
            << e.GetMessage();
    }
}

} // namespace
