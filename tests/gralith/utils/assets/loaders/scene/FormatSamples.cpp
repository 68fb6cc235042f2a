#include "FormatSamples.h"

namespace FormatSamples {

using Gralith::Utils::Array;
using Gralith::Utils::BinaryWriter;
using Gralith::Utils::String;

FGMWriter::Block Quad(int version) {
    static const float positions[] = {0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0};
    static const float uvs[] = {0, 0, 1, 0, 1, 1, 0, 1};
    static const int indices[] = {0, 1, 2, 0, 2, 3};
    FGMWriter::Block b;
    b.version = version;
    b.vertexCount = 4;
    b.streams.Add(FGMWriter::FloatStream("POSITION", 3, positions, 12));
    b.streams.Add(FGMWriter::FloatStream("TEXCOORD0", 2, uvs, 8));
    FGMWriter::SetIndices32(b, indices, 6);
    return b;
}

FGMWriter::Block MixedTypes() {
    static const float positions[] = {0, 0, 0, 1, 0, 0, 0, 1, 0};
    static const short normals[] = {0, 0, 32767, 0, 0, 32767, 0, 0, 32767};
    static const signed char colors[] = {127, 0, 0, 127, 0, 127, 0, 127, 0, 0, 127, 127};
    static const short uvs[] = {0, 0, 100, 0, 0, 100};
    static const unsigned short indices[] = {0, 1, 2};
    FGMWriter::Block b;
    b.version = 101;
    b.vertexCount = 3;
    b.streams.Add(FGMWriter::FloatStream("POSITION", 3, positions, 9));
    b.streams.Add(FGMWriter::ShortStream("NORMAL", 3, normals, 9, "normalize"));
    b.streams.Add(FGMWriter::ByteStream("COLOR", 4, colors, 12, "none"));
    FGMWriter::Stream uv = FGMWriter::ShortStream("TEXCOORD", 2, uvs, 6, "scale_and_bias");
    uv.scale = 0.5f;
    uv.bias = 0.25f;
    b.streams.Add(uv);
    b.primitive = "triangles";
    FGMWriter::SetIndices16(b, indices, 3);
    return b;
}

static FSGWriter::Controller Bezier() {
    FSGWriter::Controller c;
    c.type = "bezier";
    const float keys[] = {0, 0, 1, 2, 3, 4, 2, 90, 5, 6, 7, 8};
    for (float f : keys)
        c.floats.Add(f);
    return c;
}

static FSGWriter::Node Node(const char* id, const char* name, const char* sid = "") {
    FSGWriter::Node node;
    node.id = id;
    node.name = name;
    node.sid = sid;
    return node;
}

FSGWriter::Scene RichScene(int version) {
    FSGWriter::Scene s;
    s.version = version;

    FSGWriter::Geometry g;
    g.id = "quad-mesh";
    g.name = "Quad";
    g.block = Quad(101);
    s.geometries.Add(g);

    FSGWriter::Skin skin;
    skin.id = "quad-skin";
    skin.name = "QuadSkin";
    skin.geometryId = "quad-mesh";
    skin.bindShape = FSGWriter::Identity();
    if (version == 102) {
        skin.jointSids.Add("joint1");
        skin.jointSids.Add("joint2");
        Array<float> m = FSGWriter::Identity();
        for (float f : m)
            skin.inverseBinds.Add(f);
        m[12] = 5.0f;
        for (float f : m)
            skin.inverseBinds.Add(f);
    }
    s.skins.Add(skin);

    FSGWriter::Camera camera;
    camera.id = "cam";
    camera.name = "Camera";
    camera.targetId = "camera"; // resolves through the "-node" suffix
    const float fov = 45.0f;
    camera.parameters.Add(FSGWriter::MakeParameter("yfov", &fov, 1));
    const float aspect[] = {0, 1.0f, 10, 2.0f};
    FSGWriter::Parameter ar;
    ar.name = "aspect_ratio";
    ar.channels.Add(FSGWriter::Linear(aspect, 4));
    camera.parameters.Add(ar);
    s.cameras.Add(camera);

    const char* const types[] = {"ambient", "omni", "spot", "directional"};
    for (int i = 0; i < 4; ++i) {
        FSGWriter::Light light;
        light.id = String("light") + String(types[i]);
        light.name = types[i];
        light.type = types[i];
        const float color[] = {1.0f, 0.5f, 0.25f};
        light.parameters.Add(FSGWriter::MakeParameter("color", color, 3));
        s.lights.Add(light);
    }

    FSGWriter::Material m;
    m.id = "mat";
    m.name = "Material";
    const float diffuse[] = {0.8f, 0.7f, 0.6f, 1.0f};
    m.parameters.Add(FSGWriter::MakeParameter("diffuse", diffuse, 4));
    const float shine = 12.0f;
    m.parameters.Add(FSGWriter::MakeParameter("Shininess", &shine, 1));
    FSGWriter::Texture t;
    t.name = "diffuse";
    t.descriptor = "checker.png";
    m.textures.Add(t);
    FSGWriter::Texture skipped;
    skipped.name = "bump";
    m.textures.Add(skipped);
    s.materials.Add(m);

    FSGWriter::Node joint2 = Node("joint2-node", "Joint2", "joint2");
    const float axis[] = {0, 0, 1, 90};
    joint2.transformations.Add(FSGWriter::MakeTransformation("rotate", axis, 4));
    FSGWriter::Transformation rot = FSGWriter::MakeTransformation("rotate", axis, 4);
    rot.channels[3] = Bezier();
    joint2.transformations.Add(rot);

    FSGWriter::Node joint1 = Node("joint1-node", "Joint1", "joint1");
    const float scale[] = {2, 2, 2};
    joint1.transformations.Add(FSGWriter::MakeTransformation("scale", scale, 3));
    float matrix[16] = {1, 0, 0, 3, 0, 1, 0, 4, 0, 0, 1, 5, 0, 0, 0, 1};
    joint1.transformations.Add(FSGWriter::MakeTransformation("matrix", matrix, 16));
    joint1.children.Add(joint2);
    FSGWriter::Batch skinned;
    skinned.geometryId = "quad-skin";
    skinned.materialId = "mat";
    joint1.batches.Add(skinned);

    FSGWriter::Node mesh = Node("mesh-node", "Mesh", "mesh");
    const float move[] = {1, 2, 3};
    FSGWriter::Transformation translate = FSGWriter::MakeTransformation("translate", move, 3);
    const float keys[] = {0, 0, 1, 10};
    translate.channels[0] = FSGWriter::Linear(keys, 4);
    mesh.transformations.Add(translate);
    FSGWriter::Batch batch;
    batch.geometryId = "quad-mesh";
    batch.materialId = "mat";
    mesh.batches.Add(batch);
    mesh.lightIds.Add("lightomni");
    mesh.children.Add(joint1);

    FSGWriter::Node cameraNode = Node("camera-node", "CameraNode");
    const float look[] = {0, 0, 10, 0, 0, 0, 0, 1, 0};
    cameraNode.transformations.Add(FSGWriter::MakeTransformation("lookat", look, 9));
    const float persp[] = {60, 1.5f, 0.1f, 100};
    cameraNode.transformations.Add(FSGWriter::MakeTransformation("perspective", persp, 4));
    cameraNode.cameraIds.Add("cam");

    s.nodes.Add(mesh);
    s.nodes.Add(cameraNode);
    return s;
}

static std::vector<unsigned char> Copy(const BinaryWriter& w) {
    return std::vector<unsigned char>(w.GetBytes().begin(), w.GetBytes().end());
}

std::vector<unsigned char> Bytes(const FGMWriter::Block& block) {
    BinaryWriter w;
    FGMWriter::Write(block, w);
    return Copy(w);
}

std::vector<unsigned char> Bytes(const FSGWriter::Scene& scene) {
    BinaryWriter w;
    FSGWriter::Write(scene, w);
    return Copy(w);
}

} // namespace FormatSamples
