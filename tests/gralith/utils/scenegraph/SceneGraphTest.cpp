#include "gralith/utils/scenegraph/Animation.h"
#include "gralith/utils/scenegraph/ConstantController.h"
#include "gralith/utils/scenegraph/Node.h"
#include "gralith/utils/scenegraph/Transformation.h"

#include <gtest/gtest.h>

#include <vector>

using namespace Gralith::Utils;
using namespace Gralith::Utils::SceneGraph;

namespace {

Animation* Constants(const std::vector<float>& values) {
    auto* a = new Animation(static_cast<int>(values.size()));
    int i = 0;
    for (float v : values)
        a->SetController(i++, new ConstantController(v));
    return a;
}

void ExpectMatrix(const Matrix4& expected, const Matrix4& actual) {
    for (int i = 0; i < 16; ++i)
        EXPECT_NEAR(expected[i], actual[i], 1e-5f) << "element " << i;
}

} // namespace

TEST(Transformation, EveryKindBuildsItsMatrixFromItsChannelsInOrder) {
    using T = Transformation;
    const struct {
        std::vector<float> values;
        T::Kind kind;
        bool gl;
        Matrix4 expected;
    } cases[] = {
        {{1, 0, 0, 5, 0, 1, 0, 6, 0, 0, 1, 7, 0, 0, 0, 1}, T::KindMatrix, true, Matrix4::Translation(5, 6, 7)},
        {{1, 2, 3}, T::KindTranslate, true, Matrix4::Translation(1, 2, 3)},
        {{0, 0, 1, 90}, T::KindRotate, true, Matrix4::Rotation(90, 0, 0, 1)},
        {{2, 3, 4}, T::KindScale, true, Matrix4::Scaling(2, 3, 4)},
        {{0, 0, 10, 0, 0, 0, 0, 1, 0}, T::KindLookAt, true, Matrix4::LookAt(0, 0, 10, 0, 0, 0, 0, 1, 0)},
        {{60, 1.5f, 0.1f, 100}, T::KindPerspective, true, Matrix4::Perspective(true, 60, 1.5f, 0.1f, 100)},
        {{60, 1.5f, 0.1f, 100}, T::KindPerspective, false, Matrix4::Perspective(false, 60, 1.5f, 0.1f, 100)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        ExpectMatrix(c.expected, Transformation(Constants(c.values), c.kind, c.gl).Evaluate(0));
    }
}

TEST(Node, LocalIsTheProductInListOrderAndWorldIsUnderTheParent) {
    Node* root = new Node();
    Node* child = new Node(root);
    root->AppendChild(child);
    child->AddTransformation(new Transformation(Constants({10, 0, 0}), Transformation::KindTranslate, true));
    child->AddTransformation(new Transformation(Constants({0, 0, 1, 90}), Transformation::KindRotate, true));
    root->AddTransformation(new Transformation(Constants({2, 2, 2}), Transformation::KindScale, true));

    const Matrix4& rootWorld = root->Update(0, Matrix4());
    const Matrix4& world = child->Update(0, rootWorld);
    // The first transformation is the outermost: translate after rotating.
    ExpectMatrix(Matrix4::Translation(10, 0, 0) * Matrix4::Rotation(90, 0, 0, 1), child->GetLocal());
    ExpectMatrix(Matrix4::Scaling(2, 2, 2) * child->GetLocal(), world);
    EXPECT_EQ(&world, &child->GetWorld());
    // The point (1, 0, 0) ends at 2 * ((10, 0, 0) + (0, 1, 0)).
    EXPECT_NEAR(20.0f, world[0] * 1 + world[12], 1e-4f);
    EXPECT_NEAR(2.0f, world[1] * 1 + world[13], 1e-4f);
    root->Release();
}
