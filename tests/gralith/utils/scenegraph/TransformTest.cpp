#include "gralith/utils/scenegraph/Transform.h"
#include "gralith/graphics/Surface.h"
#include "gralith/graphics/Texture2D.h"
#include "gralith/graphics/null/NullShading.h"

#include "tests/gralith/graphics/NullDrawing.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

using namespace Gralith::Graphics;
using Gralith::Utils::Matrix4;
using Gralith::Utils::Transform;

namespace {

const char* const AllNames[] = {
    "World",       "View", "Projection", "WorldView", "ViewProjection", "WorldViewProjection", "ViewportConformFactor",
    "NormalMatrix"};

const char* const AllUniforms = "uniform float4x4 World; uniform float4x4 View; uniform float4x4 Projection;\n"
                                "uniform float4x4 WorldView; uniform float4x4 ViewProjection;\n"
                                "uniform float4x4 WorldViewProjection; uniform float4 ViewportConformFactor;\n"
                                "uniform float3x3 NormalMatrix;\n";

// A null device ready to draw with a program whose vertex shader declares every standard matrix.
class TransformTest : public ::testing::Test, protected NullDrawing {
protected:
    TransformTest() : NullDrawing(AllUniforms) {}
    ~TransformTest() override { transform->Release(); }

    static NullParameter* Param(Program* program, const char* name) {
        return static_cast<NullParameter*>(program->GetParameter(name));
    }

    // Upload counts of the eight standard parameters.
    static std::map<std::string, int> Counts(Program* program) {
        std::map<std::string, int> counts;
        for (const char* name : AllNames)
            counts[name] = Param(program, name)->GetSetCount();
        return counts;
    }

    // The names uploaded by one draw.
    std::vector<std::string> DrawAndListUploads(Program* program) {
        auto before = Counts(program);
        device->SetProgram(program);
        device->DrawUnindexed(0, 3);
        auto after = Counts(program);
        std::vector<std::string> sent;
        for (const char* name : AllNames)
            if (after[name] != before[name]) {
                EXPECT_EQ(before[name] + 1, after[name]) << name;
                sent.push_back(name);
            }
        return sent;
    }

    static void ExpectMatrix(const Matrix4& expected, NullParameter* parameter, float tolerance = 1e-5f) {
        const std::vector<float>& values = parameter->GetValues();
        ASSERT_EQ(16u, values.size()) << parameter->GetName();
        for (int i = 0; i < 16; ++i)
            EXPECT_NEAR(expected[i], values[i], tolerance) << parameter->GetName() << " element " << i;
    }

    Transform* transform = new Transform(device);
};

using Names = std::vector<std::string>;
// What a change of each matrix sends again: it and every product that contains it.
const Names ProjectionAndProducts = {"Projection", "ViewProjection", "WorldViewProjection", "ViewportConformFactor"};
const Names WorldAndProducts = {"World", "WorldView", "WorldViewProjection", "ViewportConformFactor"};
const Names AllButNormal(std::begin(AllNames), std::end(AllNames) - 1);

} // namespace

TEST_F(TransformTest, FirstDrawSendsEveryDeclaredMatrix) {
    Matrix4 world = Matrix4::Translation(1, 2, 3) * Matrix4::Scaling(2, 2, 4);
    transform->SetWorld(world);
    transform->LookAt(0, -10, 5, 0, 0, 0, 0, 0, 1);
    transform->Perspective(60, 4.0f / 3.0f, 1, 100);
    Matrix4 view = Matrix4::LookAt(0, -10, 5, 0, 0, 0, 0, 0, 1);
    Matrix4 projection = Matrix4::Perspective(true, 60, 4.0f / 3.0f, 1, 100);

    EXPECT_EQ(Names(std::begin(AllNames), std::end(AllNames)), DrawAndListUploads(program));
    ExpectMatrix(world, Param(program, "World"));
    ExpectMatrix(view, Param(program, "View"));
    ExpectMatrix(projection, Param(program, "Projection"));
    ExpectMatrix(view * world, Param(program, "WorldView"));
    ExpectMatrix(projection * view, Param(program, "ViewProjection"));
    ExpectMatrix(projection * view * world, Param(program, "WorldViewProjection"), 1e-4f);
    EXPECT_EQ((std::vector<float>{1, 1, 1, 1}), Param(program, "ViewportConformFactor")->GetValues());

    Matrix4 normal = world;
    ASSERT_TRUE(normal.Invert());
    normal.Transpose();
    float expected[9];
    normal.GetUpperLeft3x3(expected);
    const std::vector<float>& sent = Param(program, "NormalMatrix")->GetValues();
    ASSERT_EQ(9u, sent.size());
    for (int i = 0; i < 9; ++i)
        EXPECT_NEAR(expected[i], sent[i], 1e-6f) << i;
    // Scaling by (2, 2, 4) shows in the normal matrix as (0.5, 0.5, 0.25).
    EXPECT_NEAR(0.25f, sent[8], 1e-6f);
}

TEST_F(TransformTest, SameProgramResendsOnlyWhatChanged) {
    DrawAndListUploads(program);
    // The first draw leaves the construction's dirty flags set; the second sends the dirty ones.
    EXPECT_EQ(AllButNormal, DrawAndListUploads(program));
    EXPECT_EQ(Names{}, DrawAndListUploads(program));

    transform->PushWorld();
    transform->SetWorld(Matrix4::Translation(5, 0, 0));
    EXPECT_EQ(WorldAndProducts, DrawAndListUploads(program));
    transform->PopWorld();
    EXPECT_EQ(WorldAndProducts, DrawAndListUploads(program));
    ExpectMatrix(Matrix4(), Param(program, "World"));

    transform->LookAt(1, 1, 1, 0, 0, 0, 0, 0, 1);
    EXPECT_EQ((Names{"View", "WorldView", "ViewProjection", "WorldViewProjection", "ViewportConformFactor"}),
              DrawAndListUploads(program));
    transform->Perspective(90, 1, 0.5f, 50);
    EXPECT_EQ(ProjectionAndProducts, DrawAndListUploads(program));
    transform->Reset();
    EXPECT_EQ(AllButNormal, DrawAndListUploads(program));
    EXPECT_EQ(Names{}, DrawAndListUploads(program));
}

TEST_F(TransformTest, UpperLeftOriginFlipsProjectionForOffscreenTargets) {
    device->SetLowerLeftOrigin(false);
    device->SetDepthRangeMinusOneToOne(false);
    transform->Perspective(60, 1.5f, 1, 100);
    Matrix4 projection = Matrix4::Perspective(false, 60, 1.5f, 1, 100);
    EXPECT_EQ(projection, transform->GetProjection());
    DrawAndListUploads(program);
    DrawAndListUploads(program);

    Texture2D* texture = device->CreateTexture2D(256, 256, PixelFormatR8G8B8A8, true);
    Surface* target = texture->GetSurface(0);
    device->SetRenderTargets(1, &target, nullptr);
    EXPECT_EQ(ProjectionAndProducts, DrawAndListUploads(program));
    Matrix4 flipped = projection;
    for (int column = 0; column < 4; ++column)
        flipped.At(1, column) = -flipped.At(1, column);
    ExpectMatrix(flipped, Param(program, "Projection"));
    EXPECT_EQ((std::vector<float>{1, -1, 1, 1}), Param(program, "ViewportConformFactor")->GetValues());
    // The stored projection is untouched, and stays dirty so the next draw sends it again.
    EXPECT_EQ(projection, transform->GetProjection());
    EXPECT_EQ(ProjectionAndProducts, DrawAndListUploads(program));

    device->SetRenderTargets(0, nullptr, nullptr);
    EXPECT_EQ(ProjectionAndProducts, DrawAndListUploads(program));
    ExpectMatrix(projection, Param(program, "Projection"));
    EXPECT_EQ((std::vector<float>{1, 1, 1, 1}), Param(program, "ViewportConformFactor")->GetValues());
    EXPECT_EQ(Names{}, DrawAndListUploads(program));
    texture->Release();
}
