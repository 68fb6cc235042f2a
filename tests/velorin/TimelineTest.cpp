#include "tests/velorin/ScriptFixture.h"

#include "gralith/graphics/Surface.h"
#include "velorin/ClearScreen.h"
#include "velorin/Globals.h"
#include "velorin/Timeline.h"

#include <climits>
#include <cmath>
#include <limits>

using namespace VelorinTest;
using Velorin::RunTimeline;

namespace {

std::string Script(const std::string& body) { return "<Demo>" + body + "</Demo>"; }

class Timeline : public ScriptTest {
protected:
    // How many times each probe rendered in the last RunTimeline.
    int Renders(const char* name) const {
        int n = 0;
        for (const ProbeEvent& e : Probe::events)
            n += e.call == "Render" && e.effect == name;
        return n;
    }
    bool ActiveAt(double t) {
        Probe::events.clear();
        RunTimeline(t);
        return Renders("p") > 0;
    }
};

TEST_F(Timeline, BlockIsActiveStrictlyInsideItsInterval) {
    Load(Script(R"(<Effect Name="p"><Probe/></Effect><Stage><Block Start="1" Length="2" Effect="p"/></Stage>)"));
    EXPECT_FALSE(ActiveAt(1.0));
    EXPECT_TRUE(ActiveAt(std::nextafter(1.0, 2.0)));
    EXPECT_TRUE(ActiveAt(2.0));
    EXPECT_TRUE(ActiveAt(std::nextafter(3.0, 0.0)));
    EXPECT_FALSE(ActiveAt(3.0));
    EXPECT_FALSE(ActiveAt(0.0));
    EXPECT_FALSE(ActiveAt(10.0));
}

TEST_F(Timeline, ActivityComparesTheWidenedFloatsIn64Bits) {
    // 0.1 as a 32-bit float is 0.100000001490116...; a double time just above 0.1 is still
    // before that start.
    Load(Script(R"(<Effect Name="p"><Probe/></Effect><Stage><Block Start="0.1" Length="0.2" Effect="p"/></Stage>)"));
    const double start = static_cast<double>(0.1f);
    const double end = start + static_cast<double>(0.2f);
    EXPECT_FALSE(ActiveAt(0.1));
    EXPECT_FALSE(ActiveAt(start));
    EXPECT_TRUE(ActiveAt(std::nextafter(start, 1.0)));
    EXPECT_TRUE(ActiveAt(std::nextafter(end, 0.0)));
    EXPECT_FALSE(ActiveAt(end));
}

TEST_F(Timeline, EmptyOrNegativeLengthsAreNeverActive) {
    Load(Script(R"(<Effect Name="p"><Probe/></Effect>
        <Stage><Block Start="1" Length="0" Effect="p"/><Block Start="1" Length="-1" Effect="p"/></Stage>)"));
    for (double t : {0.0, 0.5, 1.0, 1.0000001, 2.0})
        EXPECT_FALSE(ActiveAt(t)) << t;
}

TEST_F(Timeline, InfluencesAndUpdatesRunEveryFrameWhetherActiveOrNot) {
    Load(Script(
        R"(<Effect Name="p"><Probe><F><LinearKeys><Key Time="0" Value="0"/><Key Time="10" Value="10"/></LinearKeys></F>
        </Probe></Effect><Effect Name="q"><Probe/></Effect>
        <Stage><Block Start="100" Length="1" Effect="p"/></Stage>)"));
    auto* p = dynamic_cast<Probe*>(EffectNamed("p"));
    EXPECT_EQ(-1.0f, p->f) << "the default holds until the first frame";
    Probe::events.clear();
    RunTimeline(2.5);
    EXPECT_EQ(2.5f, p->f);
    ASSERT_EQ(2u, Probe::events.size());
    EXPECT_EQ("p", Probe::events[0].effect);
    EXPECT_EQ("Update", Probe::events[0].call);
    EXPECT_EQ("q", Probe::events[1].effect);
    EXPECT_EQ("Update", Probe::events[1].call);
}

TEST_F(Timeline, RendersStageByStageBlockByBlockWithTheBlocksFramebuffer) {
    Gralith::Graphics::Surface* offscreen = device->CreateSurface(256, 256, Gralith::Graphics::PixelFormatR8G8B8A8, 0);
    Velorin::Framebuffer glow{offscreen, nullptr, "Glow"};
    Velorin::Framebuffers.Add(&glow);
    Load(Script(R"(<Effect Name="a"><Probe/></Effect><Effect Name="b"><Probe/></Effect>
        <Stage><Block Start="0" Length="10" Effect="b" RenderTarget="Glow"/><Block Start="0" Length="10" Effect="a"/></Stage>
        <Stage><Block Start="0" Length="10" Effect="a" RenderTarget="Glow"/><Block Start="20" Length="10" Effect="b"/></Stage>)"));
    Probe::events.clear();
    RunTimeline(5.0);

    std::vector<std::pair<std::string, Gralith::Graphics::Surface*>> renders;
    for (const ProbeEvent& e : Probe::events)
        if (e.call == "Render")
            renders.emplace_back(e.effect, e.target);
    ASSERT_EQ(3u, renders.size());
    EXPECT_EQ(std::make_pair(std::string("b"), offscreen), renders[0]);
    EXPECT_EQ(std::make_pair(std::string("a"), static_cast<Gralith::Graphics::Surface*>(nullptr)), renders[1])
        << "Backbuffer draws to the window";
    EXPECT_EQ(std::make_pair(std::string("a"), offscreen), renders[2]) << "one render per active block";
    // Updates come first, one per effect.
    EXPECT_EQ("Update", Probe::events[0].call);
    EXPECT_EQ("Update", Probe::events[1].call);
    EXPECT_EQ(3, device->CountCalls(Gralith::Graphics::NullBindRenderTargets));
    offscreen->Release();
}

} // namespace
