#include "gralith/utils/State.h"
#include "gralith/Exception.h"
#include "gralith/graphics/InputLayout.h"
#include "gralith/graphics/Program.h"
#include "gralith/graphics/Shader.h"
#include "gralith/graphics/Surface.h"
#include "gralith/graphics/Texture2D.h"
#include "gralith/graphics/VertexBuffer.h"
#include "gralith/graphics/null/NullDevice.h"
#include "gralith/graphics/null/NullResources.h"

#include <gtest/gtest.h>

#include <set>

using namespace Gralith::Graphics;
using Gralith::Utils::State;

namespace {

class StateTest : public ::testing::Test {
protected:
    void SetUp() override { device = MakeDrawableDevice(resources); }
    void TearDown() override { ReleaseDevice(device, resources); }

    struct Resources {
        VertexBuffer* buffer = nullptr;
        InputLayout* layout = nullptr;
        Program* program = nullptr;
    };

    static NullDevice* MakeDrawableDevice(Resources& r) {
        NullDevice* d = NullDevice::Create(320, 240);
        r.buffer = d->CreateVertexBuffer(BufferModeStatic, 36, 12);
        InputElementDesc element{0, 0, 3, 0, DataTypeFloat32, 0};
        r.layout = d->CreateInputLayout(&element, 1);
        Shader* vs = d->CreateShader(VertexShader, 0, "main", 0, "");
        Shader* ps = d->CreateShader(PixelShader, 0, "main", 0, "");
        r.program = d->CreateProgram(vs, ps);
        vs->Release();
        ps->Release();
        d->SetVertexBuffer(0, r.buffer);
        d->SetInputLayout(r.layout);
        d->SetProgram(r.program);
        return d;
    }

    static void ReleaseDevice(NullDevice* d, Resources& r) {
        r.program->Release();
        r.layout->Release();
        r.buffer->Release();
        d->Release();
    }

    void Draw() { device->DrawUnindexed(0, 3); }

    const NullBlendState* Blend() const { return static_cast<const NullBlendState*>(device->GetBlendState()); }
    const NullDepthStencilState* DepthStencil() const {
        return static_cast<const NullDepthStencilState*>(device->GetDepthStencilState());
    }
    const NullRasterizerState* Rasterizer() const {
        return static_cast<const NullRasterizerState*>(device->GetRasterizerState());
    }

    NullDevice* device = nullptr;
    Resources resources;
};

} // namespace

TEST(StateMatching, BlendRules) {
    BlendStateDesc a = State::DefaultBlend();
    BlendStateDesc b = a;
    EXPECT_TRUE(State::Matches(a, b));
    bool BlendStateDesc::*writes[] = {&BlendStateDesc::WriteRed, &BlendStateDesc::WriteGreen,
                                      &BlendStateDesc::WriteBlue, &BlendStateDesc::WriteAlpha};
    for (auto write : writes) {
        b = a;
        b.*write = false;
        EXPECT_FALSE(State::Matches(a, b));
    }
    b = a;
    b.SourceColor = BlendOne;
    b.DestinationAlpha = BlendZero;
    EXPECT_TRUE(State::Matches(a, b)) << "blending off ignores operands";
    a.BlendEnabled = b.BlendEnabled = true;
    EXPECT_FALSE(State::Matches(a, b));
    b = a;
    b.SourceAlpha = BlendDestColor;
    EXPECT_FALSE(State::Matches(a, b));
    b = a;
    b.BlendEnabled = false;
    EXPECT_FALSE(State::Matches(a, b));
}

TEST(StateMatching, DepthStencilRules) {
    DepthStencilStateDesc a = State::DefaultDepthStencil();
    DepthStencilStateDesc b = a;
    b.DepthFunction = Greater;
    EXPECT_FALSE(State::Matches(a, b));
    b = a;
    b.DepthWriteEnabled = false;
    EXPECT_FALSE(State::Matches(a, b));
    a.DepthEnabled = false;
    b = a;
    b.DepthFunction = Never;
    b.DepthWriteEnabled = !a.DepthWriteEnabled;
    EXPECT_TRUE(State::Matches(a, b)) << "depth off ignores function and writes";

    b = a;
    b.StencilReference = 7;
    b.StencilPass = StencilReplace;
    EXPECT_TRUE(State::Matches(a, b)) << "stencil off ignores its fields";
    a.StencilEnabled = b.StencilEnabled = true;
    EXPECT_FALSE(State::Matches(a, b));
    std::uint32_t DepthStencilStateDesc::*words[] = {&DepthStencilStateDesc::StencilReference,
                                                     &DepthStencilStateDesc::StencilReadMask,
                                                     &DepthStencilStateDesc::StencilWriteMask};
    for (auto word : words) {
        b = a;
        b.*word ^= 1u;
        EXPECT_FALSE(State::Matches(a, b));
    }
    StencilOperation DepthStencilStateDesc::*operations[] = {&DepthStencilStateDesc::StencilFail,
                                                             &DepthStencilStateDesc::StencilDepthFail,
                                                             &DepthStencilStateDesc::StencilPass};
    for (auto operation : operations) {
        b = a;
        b.*operation = StencilInvert;
        EXPECT_FALSE(State::Matches(a, b));
    }
    b = a;
    b.StencilFunction = Equal;
    EXPECT_FALSE(State::Matches(a, b));
}

TEST_F(StateTest, WindingFlipsOnlyOffscreenOnUpperLeftOrigin) {
    State* state = new State(device);
    Texture2D* texture = device->CreateTexture2D(64, 64, PixelFormatR8G8B8A8, true);
    Surface* target = texture->GetSurface(0);

    // OpenGL convention: unchanged everywhere.
    device->SetRenderTargets(1, &target, nullptr);
    Draw();
    EXPECT_EQ(1, Rasterizer()->Desc.FrontCounterClockwise);

    device->SetLowerLeftOrigin(false);
    Draw();
    EXPECT_EQ(0, Rasterizer()->Desc.FrontCounterClockwise);
    EXPECT_EQ(1, state->GetRasterizerDesc().FrontCounterClockwise) << "the description is restored after the draw";
    const void* flipped = device->GetRasterizerState();
    Draw();
    EXPECT_EQ(flipped, device->GetRasterizerState());

    device->SetRenderTargets(0, nullptr, nullptr);
    Draw();
    EXPECT_EQ(1, Rasterizer()->Desc.FrontCounterClockwise) << "the window is drawn unflipped";
    texture->Release();
    state->Release();
}
