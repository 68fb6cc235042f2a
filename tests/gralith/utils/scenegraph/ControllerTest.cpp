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

// Counts its evaluations, to show what the animation cache saves.
class CountingController : public Controller {
public:
    float Evaluate(float time) override {
        ++calls;
        return time * 2.0f;
    }
    int calls = 0;
};

} // namespace

TEST(Controller, LinearInterpolatesAndClampsAtBothEnds) {
    LinearController* c = Linear({{0.0f, 0.0f}, {1.0f, 10.0f}});
    EXPECT_FLOAT_EQ(2.5f, c->Evaluate(0.25f));
    EXPECT_FLOAT_EQ(0.0f, c->Evaluate(-1.0f));
    EXPECT_FLOAT_EQ(10.0f, c->Evaluate(5.0f));
    EXPECT_FLOAT_EQ(0.0f, c->Evaluate(0.0f));
    EXPECT_FLOAT_EQ(10.0f, c->Evaluate(1.0f));
    c->Release();
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

TEST(Controller, ExactlyOnInnerKeysGivesTheKeyValue) {
    LinearController* c = Linear({{0, 0}, {1, 10}, {2, 30}, {3, 60}});
    for (int pass = 0; pass < 2; ++pass) {
        EXPECT_FLOAT_EQ(10.0f, c->Evaluate(1.0f));
        EXPECT_FLOAT_EQ(30.0f, c->Evaluate(2.0f));
        EXPECT_FLOAT_EQ(60.0f, c->Evaluate(3.0f));
        EXPECT_FLOAT_EQ(0.0f, c->Evaluate(0.0f));
    }
    c->Release();
}

TEST(Controller, NoKeysGivesZeroAndOneKeyHoldsEverywhere) {
    LinearController empty;
    EXPECT_EQ(0.0f, empty.Evaluate(3.0f));
    LinearController* one = Linear({{2.0f, 7.0f}});
    EXPECT_FLOAT_EQ(7.0f, one->Evaluate(-100.0f));
    EXPECT_FLOAT_EQ(7.0f, one->Evaluate(2.0f));
    EXPECT_FLOAT_EQ(7.0f, one->Evaluate(100.0f));
    one->Release();
}

TEST(Controller, SwitchHoldsUntilTheNextKey) {
    SwitchController c;
    c.AddKey({0.0f, 1.0f});
    c.AddKey({2.0f, 5.0f});
    EXPECT_FLOAT_EQ(1.0f, c.Evaluate(1.99f));
    EXPECT_FLOAT_EQ(5.0f, c.Evaluate(2.0f));
    EXPECT_FLOAT_EQ(1.0f, c.Evaluate(0.0f));
    EXPECT_FLOAT_EQ(1.0f, c.Evaluate(-3.0f));
}

TEST(Controller, BezierEvaluatesLikeLinearWhateverItsTangents) {
    BezierController bezier;
    LinearController linear;
    const float times[] = {0.0f, 0.5f, 2.0f, 2.25f};
    const float values[] = {3.0f, -1.0f, 8.0f, 8.5f};
    for (int i = 0; i < 4; ++i) {
        BezierKeyframe k;
        k.time = times[i];
        k.value = values[i];
        for (int j = 0; j < 4; ++j)
            k.tangents[j] = 1000.0f * (i + 1) - j;
        bezier.AddKey(k);
        linear.AddKey({times[i], values[i]});
    }
    for (float t = -0.5f; t <= 2.5f; t += 0.0625f)
        EXPECT_FLOAT_EQ(linear.Evaluate(t), bezier.Evaluate(t)) << "t = " << t;
    EXPECT_FLOAT_EQ(1000.0f, bezier.GetKeys()[0].tangents[0]);
}

TEST(Controller, KeysOnTheSameTimeMakeAStepWithoutNaN) {
    LinearController* c = Linear({{0, 0}, {1, 5}, {1, 7}, {2, 9}});
    EXPECT_FLOAT_EQ(8.0f, c->Evaluate(1.5f));
    EXPECT_FLOAT_EQ(7.0f, c->Evaluate(1.0f)); // from above: the later key
    EXPECT_FLOAT_EQ(2.5f, c->Evaluate(0.5f));
    EXPECT_FLOAT_EQ(5.0f, c->Evaluate(1.0f)); // from below: the earlier key
    c->Release();
}

TEST(Controller, ConstantAnswersItsValueAtEveryTime) {
    ConstantController c(4.5f);
    EXPECT_EQ(4.5f, c.Evaluate(-1e9f));
    EXPECT_EQ(4.5f, c.Evaluate(0.0f));
    EXPECT_EQ(4.5f, c.Evaluate(1e9f));
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

TEST(Animation, RepeatedTimeIsServedFromTheCacheUntilAControllerChanges) {
    Animation a(1);
    auto* counting = new CountingController();
    counting->AddRef(); // keep it readable after the animation replaces it
    a.SetController(0, counting);
    float v = 0;
    a.Evaluate(1.0f, &v);
    a.Evaluate(1.0f, &v);
    EXPECT_EQ(1, counting->calls);
    EXPECT_FLOAT_EQ(2.0f, v);
    a.Evaluate(2.0f, &v);
    EXPECT_EQ(2, counting->calls);
    EXPECT_FLOAT_EQ(4.0f, v);
    a.SetController(0, new ConstantController(9.0f)); // releases the counting controller
    EXPECT_EQ(1, counting->GetRefCount());
    a.Evaluate(2.0f, &v); // same time, but dirty
    EXPECT_FLOAT_EQ(9.0f, v);
    counting->Release();
}

TEST(Animation, FixedSizeEvaluationPadsWithZerosAndIgnoresExtraChannels) {
    Animation a(2);
    a.SetController(0, new ConstantController(1.0f));
    a.SetController(1, new ConstantController(2.0f));
    float four[4] = {9, 9, 9, 9};
    a.Evaluate(0.0f, four, 4);
    EXPECT_EQ(1.0f, four[0]);
    EXPECT_EQ(2.0f, four[1]);
    EXPECT_EQ(0.0f, four[2]);
    EXPECT_EQ(0.0f, four[3]);
    float one[2] = {9, 9};
    a.Evaluate(0.0f, one, 1);
    EXPECT_EQ(1.0f, one[0]);
    EXPECT_EQ(9.0f, one[1]);
}

TEST(Animation, ControllerForAMissingChannelIsReleasedNotStored) {
    Animation a(1);
    auto* c = new ConstantController(1.0f);
    c->AddRef();
    a.SetController(5, c);
    EXPECT_EQ(1, c->GetRefCount());
    c->AddRef();
    a.SetController(-1, c);
    EXPECT_EQ(1, c->GetRefCount());
    EXPECT_EQ(nullptr, a.GetController(5));
    EXPECT_EQ(nullptr, a.GetController(0));
    c->Release();
}
