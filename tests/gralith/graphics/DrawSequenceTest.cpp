#include "tests/support/Expect.h"

#include "gralith/graphics/BlendState.h"
#include "gralith/graphics/InputLayout.h"
#include "gralith/graphics/Program.h"
#include "gralith/graphics/Shader.h"
#include "gralith/graphics/VertexBuffer.h"
#include "gralith/graphics/null/NullDevice.h"

#include <vector>

namespace Gralith::Graphics {

namespace {

/// Appends its id to a shared log on every call.
class LoggingListener : public Device::DrawCallListener {
public:
    LoggingListener(std::vector<int>* log, int id) : log(log), id(id) {}
    void OnDrawCall() override { log->push_back(id); }
    std::vector<int>* log;
    int id;
};

class DrawSequence : public ::testing::Test {
protected:
    void SetUp() override {
        device->SetProgram(program);
        device->SetInputLayout(layout);
        device->SetVertexBuffer(0, buffer);
    }
    void TearDown() override {
        for (Object* o : std::initializer_list<Object*>{buffer, layout, program, vs, ps, device})
            o->Release();
    }
    BlendState* MakeBlend() {
        return device->CreateBlendState({true, BlendOne, BlendOne, BlendOne, BlendOne, true, true, true, true});
    }

    NullDevice* device = NullDevice::Create(320, 240);
    Shader* vs = device->CreateShader(VertexShader, 0, "vsMain", 0, "uniform float4x4 World;");
    Shader* ps = device->CreateShader(PixelShader, 0, "psMain", 0, "uniform float4 Tint;");
    Program* program = device->CreateProgram(vs, ps);
    const InputElementDesc position = {0, 0, 3, 0, DataTypeFloat32, 0};
    InputLayout* layout = device->CreateInputLayout(&position, 1);
    VertexBuffer* buffer = device->CreateVertexBuffer(BufferModeStatic, 60, 12);
    std::vector<int> log;
};

} // namespace

TEST_F(DrawSequence, SixteenListenersRunInRegistrationOrderBeforeEveryDraw) {
    std::vector<LoggingListener> listeners;
    for (int i = 0; i < 17; ++i)
        listeners.emplace_back(&log, i);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(device->AddDrawCallListener(&listeners[i]), i);
    EXPECT_GRALITH_THROW(device->AddDrawCallListener(&listeners[16]), "Too many draw call listeners", 2);
    device->DrawUnindexed(0, 3);
    // After removing one, another fits and is called last.
    device->RemoveDrawCallListener(&listeners[3]);
    EXPECT_EQ(device->AddDrawCallListener(&listeners[16]), 15);
    device->DrawUnindexed(0, 3);
    std::vector<int> expected;
    for (int i = 0; i < 16; ++i)
        expected.push_back(i);
    for (int i = 0; i <= 16; ++i)
        if (i != 3)
            expected.push_back(i);
    EXPECT_EQ(log, expected);
}

TEST_F(DrawSequence, PendingStateIsAppliedInOrderThenTheDraw) {
    device->DrawUnindexed(2, 3);
    std::vector<NullCallKind> kinds;
    for (const NullCall& c : device->GetCalls())
        kinds.push_back(c.Kind);
    EXPECT_EQ(kinds, (std::vector<NullCallKind>{NullApplyBlend, NullApplyDepthStencil, NullApplyRasterizer,
                                                NullApplyInputLayout, NullApplyProgram, NullDraw}));
    const NullCall& draw = device->GetCalls().back();
    EXPECT_EQ(draw.Args[0], 2);
    EXPECT_EQ(draw.Args[1], 3);
    EXPECT_EQ(draw.Args[2], Triangles);
}

TEST_F(DrawSequence, SameStateObjectTwiceIsAppliedOnceEqualCopyAgain) {
    BlendState* blend = MakeBlend();
    device->DrawUnindexed(0, 3);
    device->ResetStatistics();
    device->SetBlendState(blend);
    device->SetBlendState(blend);
    device->DrawUnindexed(0, 3);
    device->SetBlendState(blend);
    device->DrawUnindexed(0, 3);
    EXPECT_EQ(device->GetStatistics().BlendApplies, 1u);
    EXPECT_EQ(device->GetStatistics().StateApplies(), 1u);
    EXPECT_EQ(device->GetStatistics().Draws, 2u);

    BlendState* twin = MakeBlend();
    device->SetBlendState(twin);
    device->DrawUnindexed(0, 3);
    EXPECT_EQ(device->GetStatistics().BlendApplies, 2u);
    device->SetBlendState(nullptr);
    twin->Release();
    blend->Release();
}

TEST_F(DrawSequence, FailuresHappenAtTheirStep) {
    LoggingListener listener(&log, 1);
    device->AddDrawCallListener(&listener);
    // Step 1: before the listeners.
    EXPECT_GRALITH_THROW(device->DrawIndexed(0, 3, 0, 2), "Can not draw indexed geometry without an index buffer", 3);
    EXPECT_TRUE(log.empty());
    // Step 3: after them.
    device->SetProgram(nullptr);
    EXPECT_GRALITH_THROW(device->DrawUnindexed(0, 3), "Attempting to draw something with no Program set", 3);
    EXPECT_EQ(log.size(), 1u);
    device->SetProgram(program);
    device->SetInputLayout(nullptr);
    EXPECT_GRALITH_THROW(device->DrawUnindexed(0, 3), "Attempting to draw something with no InputLayout set", 3);
    device->SetInputLayout(layout);
    device->SetVertexBuffer(0, nullptr);
    EXPECT_GRALITH_THROW(device->DrawUnindexed(0, 3),
                         "The current InputLayout reads from stream which has no bound VertexBuffer.", 3);
    EXPECT_EQ(device->CountCalls(NullDraw), 0);
    EXPECT_EQ(device->GetStatistics().Draws, 0u);
}

} // namespace Gralith::Graphics
