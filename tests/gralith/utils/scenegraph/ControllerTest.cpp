#include "gralith/utils/scenegraph/Animation.h"
#include "gralith/utils/scenegraph/BezierController.h"
#include "gralith/utils/scenegraph/ConstantController.h"
#include "gralith/utils/scenegraph/LinearController.h"
#include "gralith/utils/scenegraph/SwitchController.h"

#include <gtest/gtest.h>

using namespace Gralith::Utils::SceneGraph;

namespace {

LinearController* Linear(std::initializer_list<LinearKeyframe> keys) {
    auto* c = new LinearController();
    for (const LinearKeyframe& k : keys)
        c->AddKey(k);
    return c;
}

} // namespace

TEST(Controller, LinearInterpolatesSwitchHoldsAndBothClampAtTheEnds) {
    LinearController* linear = Linear({{0.0f, 0.0f}, {1.0f, 10.0f}});
    SwitchController step;
    step.AddKey({0.0f, 1.0f});
    step.AddKey({2.0f, 5.0f});
    const struct {
        Controller* controller;
        float time, value;
    } cases[] = {{linear, 0.25f, 2.5f}, {linear, -1.0f, 0.0f}, {linear, 5.0f, 10.0f},
                 {linear, 0.0f, 0.0f},  {linear, 1.0f, 10.0f}, {&step, 1.99f, 1.0f},
                 {&step, 2.0f, 5.0f},   {&step, 0.0f, 1.0f},   {&step, -3.0f, 1.0f}};
    for (const auto& c : cases)
        EXPECT_FLOAT_EQ(c.value, c.controller->Evaluate(c.time)) << (c.controller == linear) << " at " << c.time;
    linear->Release();
}

TEST(Controller, CursorWalksBackAndForthAcrossSegments) {
    LinearController* c = Linear({{0, 0}, {1, 10}, {2, 30}, {3, 60}, {4, 100}});
    EXPECT_FLOAT_EQ(45.0f, c->Evaluate(2.5f));
    EXPECT_EQ(2, c->GetCursor());
    EXPECT_FLOAT_EQ(1.0f, c->Evaluate(0.1f)); // seek backwards
    EXPECT_EQ(0, c->GetCursor());
    EXPECT_FLOAT_EQ(80.0f, c->Evaluate(3.5f)); // jump forward over two segments
    EXPECT_EQ(3, c->GetCursor());
    EXPECT_FLOAT_EQ(9.0f, c->Evaluate(0.9f));
    EXPECT_EQ(0, c->GetCursor());
    c->Release();
}

TEST(Controller, KeysOnTheSameTimeMakeAStepWithoutNaN) {
    LinearController* c = Linear({{0, 0}, {1, 5}, {1, 7}, {2, 9}});
    EXPECT_FLOAT_EQ(8.0f, c->Evaluate(1.5f));
    EXPECT_FLOAT_EQ(7.0f, c->Evaluate(1.0f)); // from above: the later key
    EXPECT_FLOAT_EQ(2.5f, c->Evaluate(0.5f));
    EXPECT_FLOAT_EQ(5.0f, c->Evaluate(1.0f)); // from below: the earlier key
    c->Release();
}

TEST(Animation, NullChannelReadsZeroAndValuesFollowControllers) {
    Animation a(3);
    a.SetController(0, new ConstantController(1.5f));
    a.SetController(2, Linear({{0, 0}, {2, 4}}));
    float out[3] = {-1, -1, -1};
    a.Evaluate(1.0f, out);
    EXPECT_FLOAT_EQ(1.5f, out[0]);
    EXPECT_EQ(0.0f, out[1]);
    EXPECT_FLOAT_EQ(2.0f, out[2]);
}
