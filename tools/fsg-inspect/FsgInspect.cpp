// fsg-inspect: prints the contents of FSG scene and FGM geometry files as the engine loads them
// (on a recording null device, so no GPU or display is needed), or the engine's reason for
// rejecting them. Exit status: 0 all files valid, 1 some file invalid, 2 usage.
#include "gralith/Exception.h"
#include "gralith/graphics/IndexBuffer.h"
#include "gralith/graphics/InputLayout.h"
#include "gralith/graphics/Program.h"
#include "gralith/graphics/Shader.h"
#include "gralith/graphics/Texture2D.h"
#include "gralith/graphics/null/NullDevice.h"
#include "gralith/graphics/null/NullResources.h"
#include "gralith/utils/FileSystem.h"
#include "gralith/utils/InputFile.h"
#include "gralith/utils/assets/Geometry.h"
#include "gralith/utils/assets/Proxy.h"
#include "gralith/utils/assets/Scene.h"
#include "gralith/utils/assets/loaders/FGMLoader.h"
#include "gralith/utils/assets/loaders/FSGLoader.h"
#include "gralith/utils/scenegraph/Animation.h"
#include "gralith/utils/scenegraph/BezierController.h"
#include "gralith/utils/scenegraph/Camera.h"
#include "gralith/utils/scenegraph/ConstantController.h"
#include "gralith/utils/scenegraph/Light.h"
#include "gralith/utils/scenegraph/LinearController.h"
#include "gralith/utils/scenegraph/Material.h"
#include "gralith/utils/scenegraph/Node.h"
#include "gralith/utils/scenegraph/Skin.h"
#include "gralith/utils/scenegraph/SwitchController.h"
#include "gralith/utils/scenegraph/Transformation.h"

#include <cstdio>
#include <cstring>
#include <string>

using namespace Gralith;
using namespace Gralith::Graphics;
using namespace Gralith::Utils;
using namespace Gralith::Utils::Assets;
using namespace Gralith::Utils::SceneGraph;

namespace {

// Stands in for textures and programs the scene names but that cannot be built here (missing
// files, shaders for another machine): the scene is about structure, not pixels.
class StandInLoader : public Loaders::Loader {
public:
    using Loader::Load;
    Asset* Load(int type, String, Proxy* proxy) override {
        Device* device = proxy->GetDevice();
        if (type == AssetTexture)
            return new WrapperAsset<Texture*, AssetTexture>(device->CreateTexture2D(1, 1, PixelFormatR8G8B8A8, false));
        Shader* vs = device->CreateShader(VertexShader, 0, "main", 0, "");
        Shader* ps = device->CreateShader(PixelShader, 0, "main", 0, "");
        Program* program = device->CreateProgram(vs, ps);
        vs->Release();
        ps->Release();
        return new WrapperAsset<Program*, AssetProgram>(program);
    }
    bool CanLoad(int type) override { return type == AssetTexture || type == AssetProgram; }
    String GetName() override { return "fsg-inspect"; }
};

const char* DataTypeName(int type) {
    switch (type) {
    case DataTypeFloat32: return "float";
    case DataTypeInt16: return "short";
    case DataTypeInt8: return "byte";
    default: return "?";
    }
}

int ElementSize(int type) { return type == DataTypeFloat32 ? 4 : type == DataTypeInt16 ? 2 : 1; }

void PrintGeometry(const Geometry* g, const char* indent) {
    const Geometry::SubMesh& mesh = g->GetSubMeshes()[0];
    std::printf("%s%d vertices, %d indices (%s, %s)\n", indent, g->GetVertexCount(), g->GetIndexCount(),
                mesh.primitiveType == Lines ? "lines" : "triangles",
                g->GetIndexBuffer()->GetIndexType() == IndexType16 ? "int16" : "int32");
    InputElementDesc elements[16];
    const int count = g->GetInputLayout()->GetElements(16, elements);
    for (int i = 0; i < count; ++i) {
        const InputElementDesc& e = elements[i];
        std::printf("%s  stream %d: %-12s slot %2d, %d x %s%s", indent, i, g->GetSemanticName(i).CStr(), e.Semantic,
                    e.ComponentCount, DataTypeName(e.Type), e.Normalized ? ", normalize" : "");
        if (g->GetScale(i) != 1.0f || g->GetBias(i) != 0.0f)
            std::printf(", scale %g bias %g", g->GetScale(i), g->GetBias(i));
        std::printf(", %d bytes per vertex\n", e.ComponentCount * ElementSize(e.Type));
    }
}

std::string ControllerText(Controller* c) {
    char text[64];
    if (!c)
        return "unset";
    if (auto* k = dynamic_cast<ConstantController*>(c)) {
        std::snprintf(text, sizeof text, "%g", k->GetValue());
        return text;
    }
    if (auto* l = dynamic_cast<LinearController*>(c)) {
        std::snprintf(text, sizeof text, "linear %d keys", l->GetKeys().Count());
        return text;
    }
    if (auto* b = dynamic_cast<BezierController*>(c)) {
        std::snprintf(text, sizeof text, "bezier %d keys", b->GetKeys().Count());
        return text;
    }
    return "controller";
}

std::string AnimationText(Animation* a) {
    if (!a)
        return "(none)";
    std::string text = "(";
    for (int i = 0; i < a->GetChannelCount(); ++i) {
        if (i)
            text += ", ";
        text += ControllerText(a->GetController(i));
    }
    return text + ")";
}

void PrintParameters(const Map<String, Animation*>& parameters, const char* indent) {
    for (int i = 0; i < parameters.Count(); ++i)
        std::printf("%s%s %s\n", indent, parameters.GetKey(i).CStr(), AnimationText(parameters.GetValue(i)).c_str());
}

String TextureDescriptor(Proxy* proxy, Texture* texture) {
    for (const Proxy::AssetRecord* r : proxy->GetRecords()) {
        auto* w = dynamic_cast<WrapperAsset<Texture*, AssetTexture>*>(r->asset);
        if (w && w->GetValue() == texture)
            return r->name;
    }
    return "?";
}

const char* const KindNames[] = {"matrix", "translate", "rotate", "scale", "lookat", "perspective"};
const char* const LightTypes[] = {"ambient", "omni", "spot", "directional"};

template <class T>
String IdOf(const Map<String, T*>& table, const T* value) {
    for (int i = 0; i < table.Count(); ++i)
        if (table.GetValue(i) == value)
            return table.GetKey(i);
    return "?";
}

void PrintNode(const Scene* scene, const Node* node, int depth) {
    std::string indent(2 * depth + 2, ' ');
    std::printf("%s%s \"%s\"", indent.c_str(), node->GetId().CStr(), node->GetName().CStr());
    if (node->GetSid().Length() > 0)
        std::printf(" sid %s", node->GetSid().CStr());
    std::printf("\n");
    for (Transformation* t : node->GetTransformations())
        std::printf("%s  %s %s\n", indent.c_str(),
                    t->GetKind() >= 0 && t->GetKind() <= 5 ? KindNames[t->GetKind()] : "?",
                    AnimationText(t->GetAnimation()).c_str());
    for (const Batch& b : node->GetBatches())
        std::printf("%s  draws %s %s with material %s\n", indent.c_str(), b.geometry ? "geometry" : "skin",
                    b.geometry ? IdOf(scene->GetGeometries(), b.geometry).CStr()
                               : IdOf(scene->GetSkins(), b.skin).CStr(),
                    b.material ? b.material->GetId().CStr() : "(none)");
    for (Camera* c : node->GetCameras())
        std::printf("%s  camera %s\n", indent.c_str(), c->GetId().CStr());
    for (Light* l : node->GetLights())
        std::printf("%s  light %s\n", indent.c_str(), l->GetId().CStr());
    for (const Node* child = node->GetFirstChild(); child; child = child->GetNextSibling())
        PrintNode(scene, child, depth + 1);
}

void PrintScene(Proxy* proxy, const Scene* scene) {
    const auto& geometries = scene->GetGeometries();
    std::printf("geometries: %d\n", geometries.Count());
    for (int i = 0; i < geometries.Count(); ++i) {
        std::printf("  %s \"%s\"\n", geometries.GetKey(i).CStr(), geometries.GetValue(i)->GetGeometryName().CStr());
        PrintGeometry(geometries.GetValue(i), "    ");
    }
    const auto& skins = scene->GetSkins();
    std::printf("skins: %d\n", skins.Count());
    for (int i = 0; i < skins.Count(); ++i) {
        const Skin* s = skins.GetValue(i);
        std::printf("  %s \"%s\" geometry %s, %d inverse bind matrices, joints:", skins.GetKey(i).CStr(),
                    s->GetName().CStr(), s->GetGeometry() ? IdOf(geometries, s->GetGeometry()).CStr() : "(none)",
                    s->GetInverseBindMatrices().Count());
        for (const Node* j : s->GetJoints())
            std::printf(" %s", j->GetId().CStr());
        std::printf("\n");
    }
    const auto& cameras = scene->GetCameras();
    std::printf("cameras: %d\n", cameras.Count());
    for (int i = 0; i < cameras.Count(); ++i) {
        const Camera* c = cameras.GetValue(i);
        std::printf("  %s \"%s\" on node %s\n", cameras.GetKey(i).CStr(), c->GetName().CStr(),
                    c->GetTarget() ? c->GetTarget()->GetId().CStr() : "(none)");
        PrintParameters(c->GetParameters(), "    ");
    }
    const auto& lights = scene->GetLights();
    std::printf("lights: %d\n", lights.Count());
    for (int i = 0; i < lights.Count(); ++i) {
        const Light* l = lights.GetValue(i);
        std::printf("  %s \"%s\" %s\n", lights.GetKey(i).CStr(), l->GetName().CStr(), LightTypes[l->GetLightType()]);
        PrintParameters(l->GetParameters(), "    ");
    }
    const auto& materials = scene->GetMaterials();
    std::printf("materials: %d\n", materials.Count());
    for (int i = 0; i < materials.Count(); ++i) {
        const Material* m = materials.GetValue(i);
        std::printf("  %s \"%s\"%s\n", materials.GetKey(i).CStr(), m->GetName().CStr(),
                    m->GetProgram() ? " with a program" : "");
        PrintParameters(m->GetAnimations(), "    ");
        const auto& textures = m->GetTextures();
        for (int t = 0; t < textures.Count(); ++t)
            std::printf("    %s texture %s\n", textures.GetKey(t).CStr(),
                        TextureDescriptor(proxy, textures.GetValue(t)).CStr());
    }
    std::printf("nodes: %d\n", scene->GetNodes().Count());
    for (const Node* n = scene->GetRoot()->GetFirstChild(); n; n = n->GetNextSibling())
        PrintNode(scene, n, 0);
}

// Loads and prints one file; answers whether it is valid.
bool Inspect(const char* path, NullDevice* device) {
    char magic[7] = {};
    try {
        InputFile probe(path);
        probe.Read(magic, 1, 6);
    } catch (const Exception& e) {
        std::printf("%s: invalid: %s\n", path, e.GetMessage());
        return false;
    }
    try {
        if (std::strncmp(magic, "FGM", 3) == 0) {
            InputFile* file = new InputFile(path);
            Geometry* g = nullptr;
            try {
                g = Loaders::FGMLoader::ReadBlock(file, device, BufferModeStatic);
            } catch (...) {
                file->Release();
                throw;
            }
            file->Release();
            std::printf("%s: %s geometry\n", path, magic);
            PrintGeometry(g, "  ");
            g->Release();
            return true;
        }
        Directory* files = new Directory("");
        Proxy* proxy = new Proxy(files, device, nullptr, nullptr);
        files->Release();
        proxy->AddLoader(new StandInLoader());
        Loaders::FSGLoader loader;
        try {
            Scene* scene = static_cast<Scene*>(loader.Load(AssetScene, path, proxy));
            std::printf("%s: %s scene\n", path, magic);
            PrintScene(proxy, scene);
            scene->Release();
        } catch (...) {
            proxy->Release();
            throw;
        }
        proxy->Release();
        return true;
    } catch (const Exception& e) {
        std::printf("%s: invalid: %s\n", path, e.GetMessage());
        return false;
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2 || std::strcmp(argv[1], "--help") == 0) {
        std::fprintf(stderr, "usage: fsg-inspect FILE...\n"
                             "Prints the geometry, skins, cameras, lights, materials and node tree of FSG\n"
                             "scene files and the streams of FGM geometry files, or why a file is invalid.\n");
        return 2;
    }
    NullDevice* device = NullDevice::Create();
    bool valid = true;
    for (int i = 1; i < argc; ++i)
        valid = Inspect(argv[i], device) && valid;
    device->Release();
    return valid ? 0 : 1;
}
