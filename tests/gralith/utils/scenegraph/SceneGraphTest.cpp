#include "gralith/Exception.h"
#include "gralith/graphics/Program.h"
#include "gralith/graphics/Texture.h"
#include "gralith/utils/scenegraph/Animation.h"
#include "gralith/utils/scenegraph/Camera.h"
#include "gralith/utils/scenegraph/ConstantController.h"
#include "gralith/utils/scenegraph/Light.h"
#include "gralith/utils/scenegraph/LinearController.h"
#include "gralith/utils/scenegraph/Material.h"
#include "gralith/utils/scenegraph/Node.h"
#include "gralith/utils/scenegraph/Transformation.h"

#include <gtest/gtest.h>

using namespace Gralith;
using namespace Gralith::Utils;
using namespace Gralith::Utils::SceneGraph;

namespace {

class FakeTexture : public Graphics::Texture {
public:
    Graphics::PixelFormat GetPixelFormat() const override { return Graphics::PixelFormatR8G8B8A8; }
    Graphics::TextureType GetType() const override { return Graphics::TextureType::Texture2D; }
    void GenerateMipmaps() override {}
};

class FakeProgram : public Graphics::Program {
public:
    int GetParameterCount() override { return 0; }
    Graphics::Parameter* GetParameter(const char*) override { return nullptr; }
    Graphics::Parameter* GetParameter(int) override { return nullptr; }
};

Animation* Constants(std::initializer_list<float> values) {
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

TEST(Transformation, EveryKindBuildsItsMatrix) {
    Transformation translate(Constants({1, 2, 3}), Transformation::KindTranslate, true);
    ExpectMatrix(Matrix4::Translation(1, 2, 3), translate.Evaluate(0));
    Transformation rotate(Constants({0, 0, 1, 90}), Transformation::KindRotate, true);
    ExpectMatrix(Matrix4::Rotation(90, 0, 0, 1), rotate.Evaluate(0));
    Transformation scale(Constants({2, 3, 4}), Transformation::KindScale, true);
    ExpectMatrix(Matrix4::Scaling(2, 3, 4), scale.Evaluate(0));
    Transformation look(Constants({0, 0, 10, 0, 0, 0, 0, 1, 0}), Transformation::KindLookAt, true);
    ExpectMatrix(Matrix4::LookAt(0, 0, 10, 0, 0, 0, 0, 1, 0), look.Evaluate(0));
    Transformation glPerspective(Constants({60, 1.5f, 0.1f, 100}), Transformation::KindPerspective, true);
    ExpectMatrix(Matrix4::Perspective(true, 60, 1.5f, 0.1f, 100), glPerspective.Evaluate(0));
    Transformation dxPerspective(Constants({60, 1.5f, 0.1f, 100}), Transformation::KindPerspective, false);
    ExpectMatrix(Matrix4::Perspective(false, 60, 1.5f, 0.1f, 100), dxPerspective.Evaluate(0));
    EXPECT_NE(glPerspective.Evaluate(0)[10], dxPerspective.Evaluate(0)[10]);
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
