// A scene file drawn for real: the FSG file, its Cg program and PNG texture go through the asset
// proxy onto a headless OpenGL device (llvmpipe), the node tree is updated and drawn with the
// transform stack, and the frame is read back.
#include "../LoaderTestSupport.h"
#include "FormatSamples.h"
#include "SceneTestSupport.h"
#include "tests/support/ImageEncoding.h"

#include "gralith/graphics/Parameter.h"
#include "gralith/graphics/Program.h"
#include "gralith/graphics/SamplerState.h"
#include "gralith/graphics/gl/CGShadingContext.h"
#include "gralith/graphics/gl/EGLGLDevice.h"
#include "gralith/utils/assets/Geometry.h"
#include "gralith/utils/assets/Scene.h"
#include "gralith/utils/scenegraph/Material.h"
#include "gralith/utils/scenegraph/Node.h"
#include "gralith/utils/scenegraph/Transform.h"

#include "tests/support/Readback.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

using namespace Gralith;
using namespace Gralith::Graphics;
using namespace Gralith::Utils;
using namespace Gralith::Utils::Assets;
using namespace Gralith::Utils::SceneGraph;
using namespace GralithTest;

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

// The unit quad (0..1, texture coordinates alike) drawn by a parent node, moved and halved, at
// 0.5..1 in clip space, and by its child, moved by (-2, -2) under that, at -0.5..0.
FSGWriter::Scene TwoQuads() {
    FSGWriter::Scene s;
    FSGWriter::Geometry g;
    g.id = "quad";
    g.block = FormatSamples::Quad(101);
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
    ~SceneRender() override { device->SetProgram(nullptr); }

    void Draw(Node* node, const Matrix4& parentWorld) {
        const Matrix4 world = node->Update(0.0f, parentWorld);
        for (const Batch& b : node->GetBatches()) {
            Program* program = b.material->GetProgram();
            device->SetProgram(program);
            program->GetParameter("Diffuse")->SetSampler(b.material->GetTexture(Material::Diffuse), sampler.get());
            transform->SetWorld(world);
            b.geometry->Draw();
        }
        for (Node* child = node->GetFirstChild(); child; child = child->GetNextSibling())
            Draw(child, world);
    }

    Pixel At(int x, int y) { return ReadPixel(device.get(), x, y); }

    Held<EGLGLDevice> device{EGLGLDevice::Create(Size, Size, Depth24Stencil8, 0, &MakeShading)};
    Held<SceneTestSupport::MemoryFileSystem> files{new SceneTestSupport::MemoryFileSystem()};
    Held<Proxy> proxy{new Proxy(files.get(), device.get(), nullptr, nullptr)};
    std::unique_ptr<Transform> transform{new Transform(device.get())};
    Held<SamplerState> sampler{
        device->CreateSamplerState({FilterPoint, FilterPoint, FilterNone, AddressClamp, AddressClamp, AddressClamp})};
};

} // namespace

TEST_F(SceneRender, NodeTreeDrawsTexturedGeometryWhereItsTransformationsPutIt) {
    // Left column red, right column green.
    files->files["stripes.png"] = EncodePng(PngImage(2, 2, 2, 8, {255, 0, 0, 0, 255, 0, 255, 0, 0, 0, 255, 0}));
    files->files["textured.cg"] = std::vector<unsigned char>(TexturedCg, TexturedCg + std::strlen(TexturedCg));
    files->files["two.fsg"] = FormatSamples::Bytes(TwoQuads());

    Scene* scene = proxy->GetScene("two.fsg", nullptr);
    device->Clear(ClearColor | ClearDepth, 0, 0, 1, 1, 1, 0);
    Draw(scene->GetRoot(), Matrix4());
    device->Present();

    const Pixel red = {255, 0, 0, 255}, green = {0, 255, 0, 255}, blue = {0, 0, 255, 255};
    // Parent: x and y from 48 to 64, the texture's left half red, its right half green.
    EXPECT_EQ(red, At(49, 50));
    EXPECT_EQ(red, At(54, 62));
    EXPECT_EQ(green, At(58, 49));
    EXPECT_EQ(green, At(62, 62));
    // Child, moved by (-2, -2) under its parent's scale: x and y from 16 to 32.
    EXPECT_EQ(red, At(17, 18));
    EXPECT_EQ(green, At(30, 30));
    // Everywhere else keeps the clear colour.
    for (auto [x, y] : {std::pair{10, 50}, {50, 10}, {40, 40}, {46, 56}, {33, 20}, {20, 14}})
        EXPECT_EQ(blue, At(x, y)) << x << "," << y;
}
