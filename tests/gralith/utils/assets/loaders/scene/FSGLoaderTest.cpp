#include "../LoaderTestSupport.h"
#include "FormatSamples.h"
#include "SceneTestSupport.h"

#include "gralith/Exception.h"
#include "gralith/graphics/null/NullDevice.h"
#include "gralith/utils/MemoryInputStream.h"
#include "gralith/utils/assets/Geometry.h"
#include "gralith/utils/assets/Proxy.h"
#include "gralith/utils/assets/Scene.h"
#include "gralith/utils/assets/loaders/FSGLoader.h"
#include "gralith/utils/scenegraph/Animation.h"
#include "gralith/utils/scenegraph/BezierController.h"
#include "gralith/utils/scenegraph/Camera.h"
#include "gralith/utils/scenegraph/Light.h"
#include "gralith/utils/scenegraph/Material.h"
#include "gralith/utils/scenegraph/Node.h"
#include "gralith/utils/scenegraph/Skin.h"
#include "gralith/utils/scenegraph/Transformation.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

using namespace Gralith;
using namespace Gralith::Utils;
using namespace Gralith::Utils::Assets;
using namespace Gralith::Utils::SceneGraph;
using Gralith::Utils::Assets::Loaders::FSGLoader;
using namespace GralithTest;

namespace {

class FSGLoaderTest : public ::testing::Test {
protected:
    void SetUp() override { NewProxy(); }

    // A fresh proxy, so nothing comes from the cache.
    void NewProxy() {
        proxy.reset(new Proxy(files.get(), device.get(), nullptr, nullptr));
        standIn = new SceneTestSupport::StandInLoader();
        proxy->AddLoader(standIn);
    }

    void Put(const std::string& name, const FSGWriter::Scene& scene) {
        files->files[name] = FormatSamples::Bytes(scene);
    }

    // The loader's own failure message (not wrapped by the proxy); "" when the file loads.
    std::string Failure(const std::string& path) {
        FSGLoader loader;
        return MessageOf([&] { loader.Load(AssetScene, String(path.c_str()), proxy.get())->Release(); }, &code);
    }

    std::string FailureOf(const FSGWriter::Scene& scene) {
        NewProxy();
        Put("broken.fsg", scene);
        return Failure("broken.fsg");
    }

    Held<Graphics::NullDevice> device{Graphics::NullDevice::Create(64, 64)};
    Held<SceneTestSupport::MemoryFileSystem> files{new SceneTestSupport::MemoryFileSystem()};
    Held<Proxy> proxy;
    SceneTestSupport::StandInLoader* standIn = nullptr;
    int code = -1;
};

float Value(Animation* a, float time, int channel = 0) {
    float v[16] = {};
    a->Evaluate(time, v, 16);
    return v[channel];
}

} // namespace

TEST_F(FSGLoaderTest, Version102SceneLoadsEveryTableAndLink) {
    Put("rich.fsg", FormatSamples::RichScene(102));
    Scene* scene = proxy->GetScene("rich.fsg", nullptr);
    EXPECT_EQ(AssetScene, scene->GetType());

    // Geometry: loaded through the proxy from the open file, named by its record.
    ASSERT_EQ(1, scene->GetGeometries().Count());
    Geometry* quad = scene->FindGeometry("quad-mesh");
    ASSERT_NE(nullptr, quad);
    EXPECT_TRUE(quad->GetGeometryName() == "Quad");
    EXPECT_TRUE(quad->GetName() == "rich.fsgquad-mesh");

    // Skin: geometry link, matrices in memory order, joints by sid in file order.
    Skin* skin = scene->FindSkin("quad-skin");
    ASSERT_NE(nullptr, skin);
    EXPECT_TRUE(skin->GetName() == "QuadSkin");
    EXPECT_EQ(quad, skin->GetGeometry());
    EXPECT_TRUE(skin->GetBindShapeMatrix() == Matrix4());
    ASSERT_EQ(2, skin->GetInverseBindMatrices().Count());
    EXPECT_EQ(5.0f, skin->GetInverseBindMatrices()[1][12]);
    ASSERT_EQ(2, skin->GetJoints().Count());
    EXPECT_TRUE(skin->GetJoints()[0]->GetId() == "joint1-node");
    EXPECT_TRUE(skin->GetJoints()[1]->GetId() == "joint2-node");

    // Camera: parameters in slots, the target found through the "-node" suffix.
    Camera* camera = scene->FindCamera("cam");
    ASSERT_NE(nullptr, camera);
    EXPECT_FLOAT_EQ(45.0f, Value(camera->GetParameter(Camera::YFov), 0));
    EXPECT_FLOAT_EQ(1.5f, Value(camera->GetParameter(Camera::AspectRatio), 5));
    EXPECT_EQ(scene->FindNode("camera-node"), camera->GetTarget());

    // Lights of every type.
    ASSERT_EQ(4, scene->GetLights().Count());
    const char* lightIds[] = {"lightambient", "lightomni", "lightspot", "lightdirectional"};
    for (int i = 0; i < 4; ++i) {
        Light* light = scene->FindLight(lightIds[i]);
        ASSERT_NE(nullptr, light) << lightIds[i];
        EXPECT_EQ(i, light->GetLightType());
        EXPECT_FLOAT_EQ(0.25f, Value(light->GetParameter(Light::Color), 0, 2));
    }

    // Material: slots, names outside the slots, the named texture, the skipped empty one.
    Material* material = scene->FindMaterial("mat");
    ASSERT_NE(nullptr, material);
    EXPECT_FLOAT_EQ(0.7f, Value(material->GetAnimation(Material::Diffuse), 0, 1));
    EXPECT_EQ(nullptr, material->GetAnimation(Material::Shininess));
    EXPECT_NE(nullptr, material->GetAnimation("Shininess"));
    EXPECT_NE(nullptr, material->GetTexture(Material::Diffuse));
    EXPECT_EQ(1, material->GetTextures().Count());
    EXPECT_EQ(nullptr, material->GetProgram());
    ASSERT_EQ(1u, standIn->requests.size());
    EXPECT_EQ("checker.png", standIn->requests[0]);

    // Nodes: tree order, sids, transformations, batches, lights and cameras.
    Node* root = scene->GetRoot();
    EXPECT_TRUE(root->GetId() == "");
    Node* mesh = root->GetFirstChild();
    ASSERT_NE(nullptr, mesh);
    EXPECT_TRUE(mesh->GetId() == "mesh-node");
    EXPECT_TRUE(mesh->GetNextSibling()->GetId() == "camera-node");
    EXPECT_EQ(nullptr, mesh->GetNextSibling()->GetNextSibling());
    EXPECT_EQ(4, scene->GetNodes().Count());
    EXPECT_TRUE(mesh->GetSid() == "mesh");
    ASSERT_EQ(1, mesh->GetLights().Count());
    EXPECT_EQ(scene->FindLight("lightomni"), mesh->GetLights()[0]);
    Node* joint1 = mesh->GetFirstChild();
    EXPECT_EQ(mesh, joint1->GetParent());
    ASSERT_EQ(1, joint1->GetBatches().Count());
    EXPECT_EQ(skin, joint1->GetBatches()[0].skin);
    EXPECT_EQ(nullptr, joint1->GetBatches()[0].geometry);
    Node* cameraNode = scene->FindNode("camera-node");
    ASSERT_EQ(1, cameraNode->GetCameras().Count());
    EXPECT_EQ(camera, cameraNode->GetCameras()[0]);
    ASSERT_EQ(2, cameraNode->GetTransformations().Count());
    EXPECT_EQ(Transformation::KindLookAt, cameraNode->GetTransformations()[0]->GetKind());
    EXPECT_EQ(Transformation::KindPerspective, cameraNode->GetTransformations()[1]->GetKind());
    EXPECT_TRUE(cameraNode->GetTransformations()[1]->GetOpenGLDepth());

    // Animated transformations: the linear translate, the bezier rotation angle.
    ASSERT_EQ(1, mesh->GetTransformations().Count());
    EXPECT_EQ(Transformation::KindTranslate, mesh->GetTransformations()[0]->GetKind());
    const Matrix4& world = mesh->Update(0.5f, Matrix4());
    EXPECT_FLOAT_EQ(5.0f, world[12]);
    EXPECT_FLOAT_EQ(2.0f, world[13]);
    Node* joint2 = scene->FindNode("joint2-node");
    Transformation* rotation = joint2->GetTransformations()[1];
    auto* bezier = dynamic_cast<BezierController*>(rotation->GetAnimation()->GetController(3));
    ASSERT_NE(nullptr, bezier);
    EXPECT_FLOAT_EQ(45.0f, bezier->Evaluate(1.0f));
    EXPECT_EQ(2.0f, bezier->GetKeys()[0].tangents[1]);
}

TEST_F(FSGLoaderTest, FailuresCarryTheirMessages) {
    struct Case {
        std::function<void(FSGWriter::Scene&)> change;
        const char* message;
    };
    const Case cases[] = {
        {[](FSGWriter::Scene& s) { s.version = 103; }, "Unsupported format/version"},
        {[](FSGWriter::Scene& s) { s.skins[0].bindShape.Pop(); },
         "Error reading BindShapeMatrix: Invalid number of components"},
        {[](FSGWriter::Scene& s) { s.skins[0].inverseBinds.Add(1.0f); },
         "Error reading InverseBindMatrices: Invalid number of components"},
        {[](FSGWriter::Scene& s) { s.cameras[0].parameters[0].channels[0].type = "cubic"; },
         "Unsupported Controller Type: cubic"},
        {[](FSGWriter::Scene& s) { s.lights[1].type = "point"; }, "Unsupported Light Type: point"},
        {[](FSGWriter::Scene& s) { s.nodes[1].transformations[0].kind = "shear"; },
         "Unsupported Transformation Type: shear"},
        {[](FSGWriter::Scene& s) { s.cameras[0].targetId = "nowhere"; },
         "Unresolved internal reference: ID=nowhere . FSG file is corrupt."},
        {[](FSGWriter::Scene& s) { s.skins[0].jointSids.Add("hip"); },
         "Unresolved internal reference: SID=hip . FSG file is corrupt."},
    };
    for (const Case& c : cases) {
        FSGWriter::Scene s = FormatSamples::RichScene(102);
        c.change(s);
        code = -1;
        EXPECT_EQ(c.message, FailureOf(s));
        EXPECT_EQ(0, code) << c.message;
    }
}

TEST_F(FSGLoaderTest, WithoutAGraphicsDeviceTheRequestSaysThatIsWhatIsMissing) {
    Put("scene.fsg", FormatSamples::RichScene(102));
    Held<Proxy> bare(new Proxy(files.get(), nullptr, nullptr, nullptr));
    EXPECT_EQ(std::string(LoadFailed) + "scene.fsg\nFSGLoader: Loading a scene needs a graphics device\n",
              MessageOf([&] { bare->GetScene("scene.fsg", nullptr); }));
}

TEST_F(FSGLoaderTest, EveryTruncationFailsCleanly) {
    for (int version : {101, 102}) {
        const std::vector<unsigned char> full = FormatSamples::Bytes(FormatSamples::RichScene(version));
        for (size_t n = 0; n < full.size(); ++n) {
            NewProxy();
            files->files["cut.fsg"] = std::vector<unsigned char>(full.begin(), full.begin() + n);
            const std::string message = Failure("cut.fsg");
            const bool own = message.rfind("Corrupt FSG data: ", 0) == 0;
            const bool embedded = message.rfind(std::string(LoadFailed) + "cut.fsgquad-mesh\n", 0) == 0 &&
                                  message.find("FGMLoader: Corrupt FGM data: ") != std::string::npos;
            EXPECT_TRUE(own || embedded) << version << " prefix " << n << ": " << message;
        }
        NewProxy();
        files->files["whole.fsg"] = full;
        EXPECT_EQ("", Failure("whole.fsg"));
    }
}

TEST_F(FSGLoaderTest, AbsurdCountsAndLengthsFailBeforeAllocating) {
    auto header = [](std::initializer_list<int> ints) {
        BinaryWriter w;
        w.WriteRaw("FSG102");
        for (int v : ints)
            w.WriteInt32(v);
        return std::vector<unsigned char>(w.GetBytes().begin(), w.GetBytes().end());
    };
    files->files["count.fsg"] = header({0x7FFFFFFF}); // geometries
    EXPECT_EQ("Corrupt FSG data: geometry count 2147483647 exceeds what the 0 bytes left can hold at byte 6",
              Failure("count.fsg"));
    // No geometries or skins; one camera, its id 1 GiB long.
    files->files["length.fsg"] = header({0, 0, 1, 0x40000000, 0, 0, 0});
    EXPECT_EQ("Corrupt FSG data: length 1073741824 of camera id exceeds the 12 bytes left at byte 18",
              Failure("length.fsg"));

    FSGWriter::Scene keys = FormatSamples::RichScene(102);
    FSGWriter::Controller c;
    c.type = "linear";
    keys.lights[0].parameters[0].channels[0] = c;
    std::vector<unsigned char> bytes = FormatSamples::Bytes(keys);
    // Find the zero key count after the first "linear" of the first light and make it huge.
    const std::string text(bytes.begin(), bytes.end());
    size_t at = text.find("lightambient");
    at = text.find("linear", at) + 6;
    bytes[at + 3] = 0x7F;
    files->files["keys.fsg"] = bytes;
    const std::string message = Failure("keys.fsg");
    EXPECT_EQ(0u, message.rfind("Corrupt FSG data: key count 2130706432 exceeds what the ", 0)) << message;
}

TEST_F(FSGLoaderTest, NodesNestedDeeperThan256LevelsAreRejected) {
    auto nested = [](int depth) {
        FSGWriter::Node node;
        node.id = "n";
        for (int level = 1; level < depth; ++level) {
            FSGWriter::Node parent;
            parent.id = "n";
            parent.children.Add(node);
            node = parent;
        }
        FSGWriter::Scene s;
        s.nodes.Add(node);
        return s;
    };
    EXPECT_EQ("", FailureOf(nested(256)));
    const std::string message = FailureOf(nested(257));
    EXPECT_EQ(0u, message.rfind("Corrupt FSG data: nodes nested deeper than 256 levels at byte ", 0)) << message;
}
