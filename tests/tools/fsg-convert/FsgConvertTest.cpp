// fsg-convert run as a program on files the tests write, its scenes loaded through the asset
// proxy on a recording null device as the show loads them: the glTF sample's nodes must stand
// where the source puts them at every time, COLLADA and OBJ files must convert and load, and
// damaged files must be refused with a message.
#include "SampleScene.h"

#include "gralith/graphics/null/NullDevice.h"
#include "gralith/utils/FileSystem.h"
#include "gralith/utils/assets/Geometry.h"
#include "gralith/utils/assets/Proxy.h"
#include "gralith/utils/assets/Scene.h"
#include "gralith/utils/scenegraph/Animation.h"
#include "gralith/utils/scenegraph/Camera.h"
#include "gralith/utils/scenegraph/Light.h"
#include "gralith/utils/scenegraph/Material.h"
#include "gralith/utils/scenegraph/Node.h"
#include "tests/support/Process.h"
#include "tests/support/TempDirectory.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using namespace Gralith::Utils;
using namespace Gralith::Utils::SceneGraph;
using namespace FsgConvertTest;

GralithTest::ProcessResult Convert(const std::string& arguments) {
    return GralithTest::RunProcess(std::string("'") + FSG_CONVERT + "' " + arguments);
}

// A converted scene as the show would load it.
struct Loaded {
    Loaded(const std::string& folder, const char* file) {
        device = Gralith::Graphics::NullDevice::Create(64, 64);
        auto* files = new Directory(folder.c_str());
        proxy = new Assets::Proxy(files, device, nullptr, nullptr);
        files->Release();
        scene = proxy->GetScene(file, nullptr);
    }
    ~Loaded() {
        proxy->Release();
        device->Release();
    }
    // Every node at time t, parents first.
    void Update(float t, Node* parent = nullptr, const Matrix4& world = Matrix4()) {
        for (Node* n = (parent ? parent : scene->GetRoot())->GetFirstChild(); n; n = n->GetNextSibling())
            Update(t, n, n->Update(t, world));
    }
    float Parameter(Animation* animation) {
        float value = 0.0f;
        animation->Evaluate(0.0f, &value, 1);
        return value;
    }
    Gralith::Graphics::NullDevice* device;
    Assets::Proxy* proxy;
    Assets::Scene* scene;
};

// The same scene as one binary glTF file: JSON chunk, then the buffer as BIN chunk.
std::string Glb(std::string json, std::string bin) {
    const std::string uri = R"("uri":"sample.bin",)";
    json.erase(json.find(uri), uri.size());
    json.resize((json.size() + 3) / 4 * 4, ' ');
    bin.resize((bin.size() + 3) / 4 * 4, '\0');
    auto u32 = [](size_t v) {
        const unsigned char b[4] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8),
                                    static_cast<unsigned char>(v >> 16), static_cast<unsigned char>(v >> 24)};
        return std::string(reinterpret_cast<const char*>(b), 4);
    };
    return "glTF" + u32(2) + u32(28 + json.size() + bin.size()) + u32(json.size()) + "JSON" + json + u32(bin.size()) +
           std::string("BIN\0", 4) + bin;
}

class FsgConvert : public ::testing::Test {
protected:
    void SetUp() override {
        std::string bin;
        const std::string json = SampleGltf(bin);
        dir.Write("sample.gltf", json);
        dir.Write("sample.bin", bin);
        dir.Write("sample.glb", Glb(json, bin));
        std::filesystem::create_directory(dir / "out");
    }
    GralithTest::TempDirectory dir;
};

TEST_F(FsgConvert, GltfNodesStandWhereTheSourcePutsThemAtEveryTime) {
    for (const char* file : {"sample.gltf", "sample.glb"}) {
        SCOPED_TRACE(file);
        auto result = Convert("--tolerance 1e-5 '" + dir / file + "' '" + dir / "out/sample.fsg" + "'");
        ASSERT_EQ(0, result.status) << result.err;
        for (const char* said : {"left out: skin of mesh 'tri' (1 joints)", "left out: morph targets of mesh 'tri' (1)",
                                 "left out: material 'checker': Normals texture '*0'",
                                 "left out: animation 'idle': only the first animation is converted"})
            EXPECT_NE(std::string::npos, result.err.find(said)) << said << " in\n" << result.err;

        Loaded loaded(dir / "out", "sample.fsg");
        // Keys, the floats just before them, and times between, before and after all keys.
        for (float t : {-0.5f, 0.0f, 0.3f, 0.49999997f, 0.5f, 0.75f, 0.99999994f, 1.0f, 1.3f, 1.5f, 1.7f, 1.9999999f,
                        2.0f, 3.0f}) {
            loaded.Update(t);
            for (size_t i = 0; i < Nodes().size(); ++i) {
                Node* node = loaded.scene->FindNode(Nodes()[i].name);
                ASSERT_NE(nullptr, node) << Nodes()[i].name;
                const Matrix expected = World(static_cast<int>(i), t);
                for (int e = 0; e < 16; ++e)
                    ASSERT_NEAR(expected[e], node->GetWorld()[e], 1e-4)
                        << Nodes()[i].name << " at " << t << " element " << e;
            }
        }

        Assets::Geometry* room = loaded.scene->FindGeometry("room");
        ASSERT_NE(nullptr, room);
        EXPECT_EQ(24, room->GetVertexCount());
        EXPECT_EQ(36, room->GetIndexCount());
        const char* streams[] = {"POSITION", "NORMAL", "TEXCOORD0"};
        ASSERT_EQ(3, room->GetStreamCount());
        for (int s = 0; s < 3; ++s)
            EXPECT_STREQ(streams[s], room->GetSemanticName(s).CStr());
        EXPECT_NE(nullptr, loaded.scene->FindMaterial("checker")->GetTexture(Material::Diffuse));
        EXPECT_EQ(CheckerPng().size(), std::filesystem::file_size(dir / "out/sample-texture0.png"));

        Camera* camera = loaded.scene->FindCamera("camera");
        ASSERT_NE(nullptr, camera);
        EXPECT_EQ(loaded.scene->FindNode("camera"), camera->GetTarget());
        EXPECT_NEAR(0.7 * 180 / 3.14159265, loaded.Parameter(camera->GetParameter(Camera::YFov)), 1e-3);
        EXPECT_NEAR(500.0f, loaded.Parameter(camera->GetParameter(Camera::ZFar)), 1e-3);
        EXPECT_EQ(Light::Directional, loaded.scene->FindLight("sun")->GetLightType());
        EXPECT_EQ(Light::Omni, loaded.scene->FindLight("lamp")->GetLightType());
        EXPECT_NEAR(1.5f, loaded.Parameter(loaded.scene->FindLight("sun")->GetParameter(Light::Color)), 1e-6);
    }
}

TEST_F(FsgConvert, ScaleAxisAndPrefixApplyToTheWholeScene) {
    auto result = Convert("--scale 2 --up z --prefix p- '" + dir / "sample.gltf" + "' '" + dir / "out/p.fsg" + "'");
    ASSERT_EQ(0, result.status) << result.err;
    Loaded loaded(dir / "out", "p.fsg");
    loaded.Update(1.3f);
    // (x, y, z) of the source becomes (2x, -2z, 2y).
    const Matrix source = World(3, 1.3), turned = {2, 0, 0, 0, 0, 0, 2, 0, 0, -2, 0, 0, 0, 0, 0, 1};
    const Matrix expected = Multiply(turned, source);
    Node* cubic = loaded.scene->FindNode("p-cubic");
    ASSERT_NE(nullptr, cubic);
    for (int e = 0; e < 16; ++e)
        EXPECT_NEAR(expected[e], cubic->GetWorld()[e], 2e-4) << e;
    EXPECT_NEAR(1.0f, loaded.Parameter(loaded.scene->FindCamera("p-camera")->GetParameter(Camera::ZNear)), 1e-6);
    EXPECT_NE(nullptr, loaded.scene->FindGeometry("p-room"));
}

TEST_F(FsgConvert, ListTellsWhatTheFileHoldsAndWritesNothing) {
    auto result = Convert("--list '" + dir / "sample.gltf" + "'");
    ASSERT_EQ(0, result.status) << result.err;
    for (const char* line :
         {"mesh 'room': 24 vertices, 12 triangles, POSITION NORMAL TEXCOORD0, 16-bit indices",
          "animated node 'step': translation (step, 3 keys, 5 written) rotation (step, 2 keys, 3 written)",
          "animated node 'cubic': translation (cubic, 3 keys"})
        EXPECT_NE(std::string::npos, result.out.find(line)) << line << " in\n" << result.out;
    EXPECT_TRUE(std::filesystem::is_empty(dir / "out"));
}

TEST_F(FsgConvert, ColladaAndObjFilesConvertAndLoad) {
    const std::string dae = R"(<?xml version="1.0"?>
<COLLADA xmlns="http://www.collada.org/2005/11/COLLADASchema" version="1.4.1"><asset><up_axis>Y_UP</up_axis></asset>
<library_lights><light id="sky" name="sky"><technique_common><ambient><color>0.2 0.3 0.4</color></ambient></technique_common></light></library_lights>
<library_geometries><geometry id="tri" name="tri"><mesh>
<source id="p"><float_array id="pa" count="9">0 0 0 1 0 0 0 1 0</float_array><technique_common><accessor source="#pa" count="3" stride="3"><param name="X" type="float"/><param name="Y" type="float"/><param name="Z" type="float"/></accessor></technique_common></source>
<vertices id="v"><input semantic="POSITION" source="#p"/></vertices><triangles count="1"><input semantic="VERTEX" source="#v" offset="0"/><p>0 1 2</p></triangles>
</mesh></geometry></library_geometries>
<library_visual_scenes><visual_scene id="scene"><node id="holder" name="holder"><translate>1 2 3</translate><node id="part" name="part"><instance_geometry url="#tri"/></node></node>
<node id="skylight" name="skylight"><instance_light url="#sky"/></node></visual_scene></library_visual_scenes>
<scene><instance_visual_scene url="#scene"/></scene></COLLADA>)";
    const std::string obj =
        "mtllib wall.mtl\no wall\nv 0 0 0\nv 4 0 0\nv 4 2 0\nv 0 2 0\nvt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\n"
        "vn 0 0 1\nusemtl brick\nf 1/1/1 2/2/1 3/3/1 4/4/1\n";
    const struct {
        const char* file;
        std::string text;
        const char* node;
        float x, y, z; // the node's world position
        int vertices, indices;
        const char* light; // a light the scene must hold, or none
    } cases[] = {{"tri.dae", dae, "part", 1, 2, 3, 3, 3, "skylight"},
                 {"wall.obj", obj, "wall", 0, 0, 0, 4, 6, nullptr}};
    dir.Write("wall.mtl", "newmtl brick\nKd 0.8 0.5 0.3\nmap_Kd brick.png\n");
    dir.Write("brick.png", CheckerPng());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        dir.Write(c.file, c.text);
        auto result = Convert("'" + dir / c.file + "' '" + dir / "out/converted.fsg" + "'");
        ASSERT_EQ(0, result.status) << result.err;
        Loaded loaded(dir / "out", "converted.fsg");
        loaded.Update(0.0f);
        Node* node = loaded.scene->FindNode(c.node);
        ASSERT_NE(nullptr, node);
        EXPECT_NEAR(c.x, node->GetWorld()[12], 1e-5);
        EXPECT_NEAR(c.y, node->GetWorld()[13], 1e-5);
        EXPECT_NEAR(c.z, node->GetWorld()[14], 1e-5);
        ASSERT_EQ(1, node->GetBatches().Count());
        EXPECT_EQ(c.vertices, node->GetBatches()[0].geometry->GetVertexCount());
        EXPECT_EQ(c.indices, node->GetBatches()[0].geometry->GetIndexCount());
        if (c.light) {
            ASSERT_NE(nullptr, loaded.scene->FindLight(c.light));
            EXPECT_EQ(Light::Ambient, loaded.scene->FindLight(c.light)->GetLightType());
        }
    }
    // The OBJ's texture travels with the scene and loads from beside it.
    EXPECT_EQ(CheckerPng().size(), std::filesystem::file_size(dir / "out/brick.png"));
}

TEST_F(FsgConvert, DamagedInputsEndWithAMessageAndExitOne) {
    std::string bin;
    const std::string gltf = SampleGltf(bin);
    const struct {
        const char* file;
        std::string bytes;
    } cases[] = {
        {"half.gltf", gltf.substr(0, gltf.size() / 2)},
        {"short-buffer.gltf", gltf}, // with sample.bin cut short below
        {"not-json.gltf", "glTF? no"},
        {"truncated.glb", std::string("glTF\2\0\0\0\x00\x10\0\0\x40\0\0\0JSON{\"asset\":", 30)},
        {"half.dae", "<?xml version=\"1.0\"?><COLLADA version=\"1.4.1\"><library_geometries><geometry id=\"g\"><mesh>"},
        {"garbage.fbx", std::string("Kaydara FBX Binary  \0\x1a\0\xe8\x1c\0\0\xff\xff\xff\x7f", 31)},
        {"missing.obj", ""}, // not written
        // Valid, but a skin without inverse bind matrices would crash the importer.
        {"no-bind.gltf",
         gltf.substr(0, gltf.find(",\"inverseBindMatrices\"")) + gltf.substr(gltf.find("}],\"materials\""))},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        if (*c.file == 's')
            dir.Write("sample.bin", bin.substr(0, bin.size() / 3));
        if (*c.file != 'm')
            dir.Write(c.file, c.bytes);
        auto result = Convert("'" + dir / c.file + "' '" + dir / "out/x.fsg" + "'");
        EXPECT_EQ(1, result.status) << result.err;
        EXPECT_EQ(0u, result.err.find("fsg-convert: cannot read " + dir / c.file + ": ")) << result.err;
        EXPECT_FALSE(std::filesystem::exists(dir / "out/x.fsg"));
    }
    // Usage errors are told apart by their exit code.
    for (const char* arguments : {"--up x a.gltf b.fsg", "a.gltf", "--scale -1 a.gltf b.fsg", "--list"})
        EXPECT_EQ(2, Convert(arguments).status) << arguments;
}

} // namespace
