#include "gralith/utils/assets/loaders/FSGLoader.h"

#include "gralith/Exception.h"
#include "gralith/graphics/Device.h"
#include "gralith/utils/BinaryReader.h"
#include "gralith/utils/FileSystem.h"
#include "gralith/utils/Held.h"
#include "gralith/utils/Messages.h"
#include "gralith/utils/UtilsException.h"
#include "gralith/utils/assets/Geometry.h"
#include "gralith/utils/assets/Proxy.h"
#include "gralith/utils/assets/Scene.h"
#include "gralith/utils/assets/loaders/FGMLoader.h"
#include "gralith/utils/scenegraph/Animation.h"
#include "gralith/utils/scenegraph/BezierController.h"
#include "gralith/utils/scenegraph/Camera.h"
#include "gralith/utils/scenegraph/ConstantController.h"
#include "gralith/utils/scenegraph/Light.h"
#include "gralith/utils/scenegraph/LinearController.h"
#include "gralith/utils/scenegraph/Material.h"
#include "gralith/utils/scenegraph/Node.h"
#include "gralith/utils/scenegraph/Skin.h"
#include "gralith/utils/scenegraph/Transformation.h"

#include <cstring>
#include <string>
#include <unordered_map>

namespace Gralith::Utils::Assets::Loaders {

using namespace SceneGraph;

namespace {

// Smallest encodings of the records, for checking counts against the bytes left.
constexpr int MinGeometry = 4 + 4 + 6 + 4 + 4 + 4 + 4;
constexpr int MinSkin = 4 + 4 + 4 + 4 + 4 + 4;
constexpr int MinCamera = 4 + 4 + 4 + 4;
constexpr int MinLight = 4 + 4 + 4 + 4;
constexpr int MinMaterial = 4 + 4 + 4 + 4 + 4;
constexpr int MinParameter = 4 + 4;
constexpr int MinChannel = 4 + 4;
constexpr int MinString = 4;

class SceneReader {
public:
    SceneReader(InputStream* stream, const String& descriptor, Proxy* proxy)
        : in(stream, "FSG"), stream(stream), descriptor(descriptor), proxy(proxy) {}

    Scene* Read();

private:
    struct PendingJoints {
        Skin* skin;
        Array<String> sids;
    };
    struct PendingTarget {
        Camera* camera;
        String id;
    };

    void ReadGeometries();
    void ReadSkins();
    void ReadCameras();
    void ReadLights();
    void ReadMaterials();
    void ReadNode(Node* parent, int depth);
    void Resolve();
    Animation* ReadAnimation();
    Controller* ReadController();
    Matrix4 ReadMatrix(const char* what);

    BinaryReader in;
    InputStream* stream;
    String descriptor;
    Proxy* proxy;
    Scene* scene = nullptr;
    int version = 0;
    bool openGLDepth = true;
    Array<PendingJoints> joints;
    Array<PendingTarget> targets;
};

Scene* SceneReader::Read() {
    char magic[6];
    in.ReadBytes(magic, 6, "magic");
    if (std::memcmp(magic, "FSG101", 6) == 0)
        version = 101;
    else if (std::memcmp(magic, "FSG102", 6) == 0)
        version = 102;
    else
        throw Exception(Messages::UnsupportedFsgFormat);
    Graphics::Device* device = proxy->GetDevice();
    openGLDepth = device ? device->IsDepthRangeMinusOneToOne() : true;

    Held<Scene> held(new Scene());
    scene = held.Get();
    ReadGeometries();
    ReadSkins();
    ReadCameras();
    ReadLights();
    ReadMaterials();

    Node* root = new Node();
    scene->SetRoot(root);
    const int count = in.ReadCount("node count", version == 101 ? 28 : 32);
    for (int i = 0; i < count; ++i)
        ReadNode(root, 1);
    Resolve();
    return held.Take();
}

void SceneReader::ReadGeometries() {
    const int count = in.ReadCount("geometry count", MinGeometry);
    for (int i = 0; i < count; ++i) {
        const String id = in.ReadString("geometry id");
        const String name = in.ReadString("geometry name");
        const int start = stream->Tell();
        Asset* asset = proxy->Load(AssetGeometry, stream, descriptor + id, scene);
        // An already cached descriptor leaves the block unread: step over it.
        if (stream->Tell() == start)
            FGMLoader::SkipBlock(stream);
        in.Resync();
        auto* geometry = dynamic_cast<Geometry*>(asset);
        if (!geometry)
            throw Exception((String(Messages::NotAGeometry) + descriptor + id).CStr());
        geometry->SetGeometryName(name);
        scene->AddGeometry(id, geometry);
    }
}

Matrix4 SceneReader::ReadMatrix(const char* what) {
    float values[16];
    for (float& v : values)
        v = in.ReadFloat32(what);
    return Matrix4(values);
}

void SceneReader::ReadSkins() {
    const int count = in.ReadCount("skin count", MinSkin);
    for (int i = 0; i < count; ++i) {
        Held<Skin> skin(new Skin());
        skin->SetId(in.ReadString("skin id"));
        skin->SetName(in.ReadString("skin name"));
        skin->SetGeometry(scene->FindGeometry(in.ReadString("skin geometry id")));
        if (in.ReadInt32("bind shape component count") != 16)
            throw Exception(Messages::BindShapeComponents);
        skin->SetBindShapeMatrix(ReadMatrix("bind shape matrix"));

        PendingJoints pending;
        pending.skin = skin.Get();
        const int jointCount = in.ReadCount("joint count", MinString);
        for (int j = 0; j < jointCount; ++j)
            pending.sids.AddGrowing(in.ReadString("joint sid"));

        const int components = in.ReadInt32("inverse bind component count");
        if (components % 16 != 0)
            throw Exception(Messages::InverseBindComponents);
        if (components > 0) {
            in.CheckFits(components, 4, "inverse bind matrices");
            for (int m = 0; m < components / 16; ++m)
                skin->AddInverseBindMatrix(ReadMatrix("inverse bind matrix"));
        }
        joints.AddGrowing(pending);
        const String id = skin->GetId();
        scene->AddSkin(id, skin.Take());
    }
}

void SceneReader::ReadCameras() {
    const int count = in.ReadCount("camera count", MinCamera);
    for (int i = 0; i < count; ++i) {
        Held<Camera> camera(new Camera());
        camera->SetId(in.ReadString("camera id"));
        camera->SetName(in.ReadString("camera name"));
        const String target = in.ReadString("camera target id");
        const int parameters = in.ReadCount("camera parameter count", MinParameter);
        for (int p = 0; p < parameters; ++p) {
            const String name = in.ReadString("camera parameter name");
            camera->SetParameter(name, ReadAnimation());
        }
        if (target.Length() > 0)
            targets.AddGrowing(PendingTarget{camera.Get(), target});
        const String id = camera->GetId();
        scene->AddCamera(id, camera.Take());
    }
}

void SceneReader::ReadLights() {
    const int count = in.ReadCount("light count", MinLight);
    for (int i = 0; i < count; ++i) {
        const String id = in.ReadString("light id");
        const String name = in.ReadString("light name");
        const String typeName = in.ReadString("light type");
        int type;
        if (typeName == "ambient")
            type = Light::Ambient;
        else if (typeName == "omni")
            type = Light::Omni;
        else if (typeName == "spot")
            type = Light::Spot;
        else if (typeName == "directional")
            type = Light::Directional;
        else
            throw UtilsException(String(Messages::UnsupportedLightType) + typeName);
        Held<Light> light(new Light(type));
        light->SetId(id);
        light->SetName(name);
        const int parameters = in.ReadCount("light parameter count", MinParameter);
        for (int p = 0; p < parameters; ++p) {
            const String parameter = in.ReadString("light parameter name");
            light->SetParameter(parameter, ReadAnimation());
        }
        scene->AddLight(id, light.Take());
    }
}

void SceneReader::ReadMaterials() {
    const int count = in.ReadCount("material count", MinMaterial);
    for (int i = 0; i < count; ++i) {
        Held<Material> material(new Material());
        material->SetId(in.ReadString("material id"));
        material->SetName(in.ReadString("material name"));
        const String program = in.ReadString("material program");
        if (program.Length() > 0)
            material->SetProgram(proxy->GetProgram(program, scene));
        const int parameters = in.ReadCount("material parameter count", MinParameter);
        for (int p = 0; p < parameters; ++p) {
            const String name = in.ReadString("material parameter name");
            material->SetAnimation(name, ReadAnimation());
        }
        const int textures = in.ReadCount("material texture count", 2 * MinString);
        for (int t = 0; t < textures; ++t) {
            const String name = in.ReadString("material texture name");
            const String texture = in.ReadString("material texture");
            if (texture.Length() > 0)
                material->SetTexture(name, proxy->GetTexture(texture, scene));
        }
        const String id = material->GetId();
        scene->AddMaterial(id, material.Take());
    }
}

void SceneReader::ReadNode(Node* parent, int depth) {
    if (depth > FSGLoader::MaxNodeDepth)
        in.Fail(String("nodes nested deeper than 256 levels"));
    // Linked at once, so the tree owns the node even if reading it fails.
    Node* node = new Node(parent);
    parent->AppendChild(node);
    node->SetId(in.ReadString("node id"));
    node->SetName(in.ReadString("node name"));
    if (version == 102)
        node->SetSid(in.ReadString("node sid"));

    const int transformations = in.ReadCount("transformation count", MinString + 4);
    for (int i = 0; i < transformations; ++i) {
        const String kindName = in.ReadString("transformation kind");
        int kind;
        if (kindName == "matrix")
            kind = Transformation::KindMatrix;
        else if (kindName == "translate")
            kind = Transformation::KindTranslate;
        else if (kindName == "rotate")
            kind = Transformation::KindRotate;
        else if (kindName == "scale")
            kind = Transformation::KindScale;
        else if (kindName == "lookat")
            kind = Transformation::KindLookAt;
        else if (kindName == "perspective")
            kind = Transformation::KindPerspective;
        else
            throw UtilsException(String(Messages::UnsupportedTransformationType) + kindName);
        node->AddTransformation(new Transformation(ReadAnimation(), kind, openGLDepth));
    }

    const int batches = in.ReadCount("batch count", 2 * MinString);
    for (int i = 0; i < batches; ++i) {
        const String id = in.ReadString("batch geometry id");
        const String materialId = in.ReadString("batch material id");
        Batch batch;
        batch.geometry = scene->FindGeometry(id);
        if (!batch.geometry)
            batch.skin = scene->FindSkin(id);
        batch.material = scene->FindMaterial(materialId);
        if (batch.geometry || batch.skin)
            node->AddBatch(batch);
    }

    // Ids missing from the tables are skipped, so every listed camera and light is usable.
    const int cameras = in.ReadCount("node camera count", MinString);
    for (int i = 0; i < cameras; ++i)
        if (Camera* camera = scene->FindCamera(in.ReadString("node camera id")))
            node->AddCamera(camera);
    const int lights = in.ReadCount("node light count", MinString);
    for (int i = 0; i < lights; ++i)
        if (Light* light = scene->FindLight(in.ReadString("node light id")))
            node->AddLight(light);

    const int children = in.ReadCount("child count", version == 101 ? 28 : 32);
    for (int i = 0; i < children; ++i)
        ReadNode(node, depth + 1);
    scene->AddNode(node->GetId(), node);
}

void SceneReader::Resolve() {
    // The first node of each sid, in table order.
    std::unordered_map<std::string, Node*> bySid;
    if (joints.Count() > 0)
        for (Node* node : scene->GetNodes().Values())
            bySid.emplace(node->GetSid().CStr(), node);
    for (const PendingJoints& pending : joints) {
        for (const String& sid : pending.sids) {
            auto found = bySid.find(sid.CStr());
            Node* joint = found == bySid.end() ? nullptr : found->second;
            if (!joint)
                throw UtilsException(String(Messages::UnresolvedSid) + sid + Messages::FsgCorrupt);
            pending.skin->AddJoint(joint);
        }
    }
    for (const PendingTarget& target : targets) {
        Node* node = scene->FindNode(target.id);
        if (!node)
            node = scene->FindNode(target.id + "-node");
        if (!node)
            throw UtilsException(String(Messages::UnresolvedId) + target.id + Messages::FsgCorrupt);
        target.camera->SetTarget(node);
    }
}

Animation* SceneReader::ReadAnimation() {
    const int channels = in.ReadCount("channel count", MinChannel);
    Held<Animation> animation(new Animation(channels));
    for (int i = 0; i < channels; ++i)
        animation->SetController(i, ReadController());
    return animation.Take();
}

Controller* SceneReader::ReadController() {
    const String type = in.ReadString("controller type");
    if (type == "none")
        return new ConstantController(in.ReadFloat32("constant value"));
    if (type == "linear") {
        Held<LinearController> c(new LinearController());
        const int keys = in.ReadCount("key count", 8);
        for (int k = 0; k < keys; ++k) {
            LinearKeyframe key;
            key.time = in.ReadFloat32("key time");
            key.value = in.ReadFloat32("key value");
            c->AddKey(key);
        }
        return c.Take();
    }
    if (type == "bezier") {
        Held<BezierController> c(new BezierController());
        const int keys = in.ReadCount("key count", 24);
        for (int k = 0; k < keys; ++k) {
            BezierKeyframe key;
            key.time = in.ReadFloat32("key time");
            key.value = in.ReadFloat32("key value");
            for (float& t : key.tangents)
                t = in.ReadFloat32("key tangent");
            c->AddKey(key);
        }
        return c.Take();
    }
    throw UtilsException(String(Messages::UnsupportedControllerType) + type);
}

} // namespace

Asset* FSGLoader::Load(int, String path, Proxy* proxy) {
    Array<String> fields;
    path.Split(':', fields);
    FileSystem* fileSystem = proxy->GetFileSystem();
    InputStream* opened = fileSystem ? fileSystem->Open(fields[0]) : nullptr;
    if (!opened)
        throw Exception(Messages::NullAccess);
    Held<InputStream> stream(opened);
    // Geometry becomes vertex buffers and materials compile programs: without a device the
    // first of them would fail with a message about something else.
    if (!proxy->GetDevice())
        throw Exception(NeedsDevice);
    SceneReader reader(stream.Get(), path, proxy);
    return reader.Read();
}

bool FSGLoader::CanLoad(int type) { return type == AssetScene; }

String FSGLoader::GetName() { return "FSGLoader"; }

} // namespace Gralith::Utils::Assets::Loaders
