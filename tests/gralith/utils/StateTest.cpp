#include "gralith/utils/State.h"
#include "gralith/graphics/Surface.h"
#include "gralith/graphics/Texture2D.h"
#include "gralith/graphics/null/NullResources.h"

#include "tests/gralith/graphics/NullDrawing.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>

using namespace Gralith::Graphics;
using Gralith::Utils::State;

namespace {

class StateTest : public ::testing::Test, protected NullDrawing {
protected:
    // Draws, and answers whether the rasterizer state that draw applied counts front faces
    // counter-clockwise.
    int FrontCounterClockwise() {
        device->DrawUnindexed(0, 3);
        return static_cast<const NullRasterizerState*>(device->GetRasterizerState())->Desc.FrontCounterClockwise;
    }
};

} // namespace

// Applies each change to a copy of base and expects State::Matches to answer as listed.
template <class Desc>
void ExpectMatching(const Desc& base, std::initializer_list<std::pair<void (*)(Desc&), bool>> changes) {
    int row = 0;
    for (const auto& change : changes) {
        Desc changed = base;
        change.first(changed);
        EXPECT_EQ(change.second, State::Matches(base, changed)) << "change " << row++;
    }
}

TEST(StateMatching, FieldsCountOnlyWhileTheirSwitchIsOn) {
    using B = BlendStateDesc;
    B blend = State::DefaultBlend(), blending = blend;
    blending.BlendEnabled = true;
    auto operands = [](B& d) { d.SourceColor = BlendOne, d.DestinationAlpha = BlendZero; };
    ExpectMatching<B>(blend, {{[](B& d) { d.WriteRed = false; }, false},
                              {[](B& d) { d.WriteGreen = false; }, false},
                              {[](B& d) { d.WriteBlue = false; }, false},
                              {[](B& d) { d.WriteAlpha = false; }, false},
                              {operands, true}, // blending off ignores operands
                              {[](B& d) { d.BlendEnabled = true; }, false}});
    ExpectMatching<B>(blending, {{operands, false},
                                 {[](B& d) { d.SourceAlpha = BlendDestColor; }, false},
                                 {[](B& d) { d.BlendEnabled = false; }, false}});

    using D = DepthStencilStateDesc;
    D depth = State::DefaultDepthStencil(), stencil = depth;
    stencil.StencilEnabled = true;
    auto stencilFields = [](D& d) { d.StencilReference = 7, d.StencilPass = StencilReplace; };
    ExpectMatching<D>(depth, {{[](D& d) { d.DepthFunction = Greater; }, false},
                              {[](D& d) { d.DepthWriteEnabled = false; }, false},
                              {stencilFields, true}}); // stencil off ignores its fields
    depth.DepthEnabled = false;
    ExpectMatching<D>(depth, {{[](D& d) { d.DepthFunction = Never, d.DepthWriteEnabled = !d.DepthWriteEnabled; },
                               true}}); // depth off ignores function and writes
    ExpectMatching<D>(stencil, {{stencilFields, false},
                                {[](D& d) { d.StencilReference ^= 1u; }, false},
                                {[](D& d) { d.StencilReadMask ^= 1u; }, false},
                                {[](D& d) { d.StencilWriteMask ^= 1u; }, false},
                                {[](D& d) { d.StencilFail = StencilInvert; }, false},
                                {[](D& d) { d.StencilDepthFail = StencilInvert; }, false},
                                {[](D& d) { d.StencilPass = StencilInvert; }, false},
                                {[](D& d) { d.StencilFunction = Equal; }, false}});
}

TEST_F(StateTest, WindingFlipsOnlyOffscreenOnUpperLeftOrigin) {
    State* state = new State(device);
    Texture2D* texture = device->CreateTexture2D(64, 64, PixelFormatR8G8B8A8, true);
    Surface* target = texture->GetSurface(0);
    device->SetRenderTargets(1, &target, nullptr);
    EXPECT_EQ(1, FrontCounterClockwise()) << "the OpenGL convention changes nothing";
    device->SetLowerLeftOrigin(false);
    EXPECT_EQ(0, FrontCounterClockwise());
    EXPECT_EQ(1, state->GetRasterizerDesc().FrontCounterClockwise) << "the description is restored after the draw";
    const void* flipped = device->GetRasterizerState();
    FrontCounterClockwise();
    EXPECT_EQ(flipped, device->GetRasterizerState());
    device->SetRenderTargets(0, nullptr, nullptr);
    EXPECT_EQ(1, FrontCounterClockwise()) << "the window is drawn unflipped";
    texture->Release();
    state->Release();
}
