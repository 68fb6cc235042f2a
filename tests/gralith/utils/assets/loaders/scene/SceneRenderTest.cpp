// A scene file drawn for real: the FSG file, its Cg program and PNG texture go through the asset
// proxy onto a headless OpenGL device (llvmpipe), the node tree is updated and drawn with the
// transform stack, and the frame is read back.
#include "FormatSamples.h"
#include "ImageEncoding.h"
#include "SceneTestSupport.h"

#include "gralith/Exception.h"
#include "gralith/graphics/Parameter.h"
#include "gralith/graphics/Program.h"
#include "gralith/graphics/SamplerState.h"
#include "gralith/graphics/gl/CGShadingContext.h"
#include "gralith/graphics/gl/EGLGLDevice.h"
#include "gralith/utils/assets/Geometry.h"
#include "gralith/utils/assets/Proxy.h"
#include "gralith/utils/assets/Scene.h"
#include "gralith/utils/scenegraph/Material.h"
#include "gralith/utils/scenegraph/Node.h"
#include "gralith/utils/scenegraph/Transform.h"

#include "tests/support/Readback.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <cstring>

using namespace Gralith;
using namespace Gralith::Graphics;
using namespace Gralith::Utils;
using namespace Gralith::Utils::Assets;
using namespace Gralith::Utils::SceneGraph;

namespace {

constexpr int Size = 64;

const char* const TexturedCg = R"(
float4x4 WorldViewProjection;
sampler2D Diffuse;
struct VSOut { float4 position : POSITION; float2 uv : TEXCOORD0; };
VSOut vsMain(float3 position : POSITION, float2 uv : TEXCOORD0) {
    VSOut o;
    o.position = mul(WorldViewProjection, float4(position, 1.0));
    o.uv = uv;
    return o;
}
float4 psMain(float2 uv : TEXCOORD0) : COLOR { return tex2D(Diffuse, uv); }
)";

GLShadingContext* MakeShading(GLDevice* device) { return new CGShadingContext(device); }

// A quad over clip space (-1..1) facing the viewer, drawn by a parent node into the upper-right
// quadrant and by its child into the lower-left one.
FSGWriter::Scene TwoQuads() {
    static const float positions[] = {-1, -1, 0, 1, -1, 0, 1, 1, 0, -1, 1, 0};
    static const float uvs[] = {0, 0, 1, 0, 1, 1, 0, 1};
    static const unsigned short indices[] = {0, 1, 2, 0, 2, 3};
    FSGWriter::Scene s;
    FSGWriter::Geometry g;
    g.id = "quad";
    g.name = "Quad";
    g.block.vertexCount = 4;
    g.block.streams.Add(FGMWriter::FloatStream("POSITION", 3, positions, 12));
    g.block.streams.Add(FGMWriter::FloatStream("TEXCOORD0", 2, uvs, 8));
    FGMWriter::SetIndices16(g.block, indices, 6);
    s.geometries.Add(g);

    FSGWriter::Material m;
    m.id = "stripes";
    m.program = "textured.cg";
    FSGWriter::Texture t;
    t.name = "diffuse";
    t.descriptor = "stripes.png";
    m.textures.Add(t);
    s.materials.Add(m);

    FSGWriter::Batch batch;
    batch.geometryId = "quad";
    batch.materialId = "stripes";
    FSGWriter::Node parent;
    parent.id = "parent";
    const float move[] = {0.5f, 0.5f, 0};
    const float half[] = {0.5f, 0.5f, 1};
    parent.transformations.Add(FSGWriter::MakeTransformation("translate", move, 3));
    parent.transformations.Add(FSGWriter::MakeTransformation("scale", half, 3));
    parent.batches.Add(batch);
    FSGWriter::Node child;
    child.id = "child";
    const float back[] = {-2, -2, 0};
    child.transformations.Add(FSGWriter::MakeTransformation("translate", back, 3));
    child.batches.Add(batch);
    parent.children.Add(child);
    s.nodes.Add(parent);
    return s;
}

class SceneRender : public ::testing::Test {
protected:
    void SetUp() override {
        device = EGLGLDevice::Create(Size, Size, Depth24Stencil8, 0, &MakeShading);
        files = new SceneTestSupport::MemoryFileSystem();
        proxy = new Proxy(files, device, nullptr, nullptr);
        transform = new Transform(device);
        sampler = device->CreateSamplerState(
            {FilterPoint, FilterPoint, FilterNone, AddressClamp, AddressClamp, AddressClamp});
    }
    void TearDown() override {
        device->SetProgram(nullptr);
        sampler->Release();
        delete transform;
        proxy->Release();
        files->Release();
        device->Release();
    }

    void Draw(Node* node, const Matrix4& parentWorld) {
        const Matrix4 world = node->Update(0.0f, parentWorld);
        for (const Batch& b : node->GetBatches()) {
            Program* program = b.material->GetProgram();
            device->SetProgram(program);
            program->GetParameter("Diffuse")->SetSampler(b.material->GetTexture(Material::Diffuse), sampler);
            transform->SetWorld(world);
            b.geometry->Draw();
        }
        for (Node* child = node->GetFirstChild(); child; child = child->GetNextSibling())
            Draw(child, world);
    }

    std::array<int, 4> At(int x, int y) { return GralithTest::ReadPixel(device, x, y); }

    EGLGLDevice* device = nullptr;
    SceneTestSupport::MemoryFileSystem* files = nullptr;
    Proxy* proxy = nullptr;
    Transform* transform = nullptr;
    SamplerState* sampler = nullptr;
};

} // namespace

TEST_F(SceneRender, NodeTreeDrawsTexturedGeometryWhereItsTransformationsPutIt) {
    // Left column red, right column green.
    GralithTest::PngImage png;
    png.width = 2;
    png.height = 2;
    png.samples = {255, 0, 0, 0, 255, 0, 255, 0, 0, 0, 255, 0};
    files->files["stripes.png"] = GralithTest::EncodePng(png);
    files->files["textured.cg"] = std::vector<unsigned char>(TexturedCg, TexturedCg + std::strlen(TexturedCg));
    files->files["two.fsg"] = FormatSamples::Bytes(TwoQuads());

    Scene* scene = proxy->GetScene("two.fsg", this);
    device->Clear(ClearColor | ClearDepth, 0, 0, 1, 1, 1, 0);
    Draw(scene->GetRoot(), Matrix4());
    device->Present();

    const std::array<int, 4> red = {255, 0, 0, 255}, green = {0, 255, 0, 255}, blue = {0, 0, 255, 255};
    // Parent: upper-right quadrant, texture left half red, right half green.
    EXPECT_EQ(red, At(36, 40));
    EXPECT_EQ(green, At(60, 40));
    EXPECT_EQ(red, At(34, 62));
    EXPECT_EQ(green, At(62, 33));
    // Child, under its parent's scale: lower-left quadrant.
    EXPECT_EQ(red, At(4, 10));
    EXPECT_EQ(green, At(28, 20));
    // The other two quadrants keep the clear colour.
    EXPECT_EQ(blue, At(10, 50));
    EXPECT_EQ(blue, At(50, 10));
    EXPECT_EQ(blue, At(31, 33));
}
