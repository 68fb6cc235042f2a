#include "tests/support/Expect.h"

#include "tests/gralith/graphics/NullDrawing.h"

#include "gralith/graphics/BlendState.h"

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

class DrawSequence : public ::testing::Test, protected NullDrawing {
protected:
    DrawSequence() : NullDrawing("uniform float4x4 World;", "uniform float4 Tint;") {}
    BlendState* MakeBlend() {
        return device->CreateBlendState({true, BlendOne, BlendOne, BlendOne, BlendOne, true, true, true, true});
    }

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
