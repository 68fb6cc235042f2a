// Loads the show's scene through the asset proxy from a data folder (the build's data/, or any
// folder with scenes/, shaders/ and textures/) and prints what it holds and where its cameras
// stand at 10 s.
#include "gralith/gralith.h"

#include <cstdio>

using namespace Gralith;
using namespace Gralith::Utils;

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: load-scene DATA-FOLDER\n");
        return 2;
    }
    Graphics::EGLGLDevice* device = nullptr;
    Assets::Proxy* proxy = nullptr;
    try {
        // A scene makes vertex buffers and compiles its materials' programs: it needs a device.
        device = Graphics::EGLGLDevice::Create(64, 64);
        Directory* data = new Directory(argv[1]);
        // The proxy takes its own references to the file system and the device.
        proxy = new Assets::Proxy(data, device, nullptr, nullptr);
        data->Release();

        // "{scenes}" adds scenes/ as a folder to search, for this request and the textures and
        // programs the scene asks for in turn. The scene stays cached and owned by the proxy; the
        // last argument only records who asked (any pointer, or null).
        Assets::Scene* scene = proxy->GetScene("halcyra2.fsg{scenes}", nullptr);
        std::printf("nodes %d, geometries %d, materials %d, cameras %d, lights %d\n", scene->GetNodes().Count(),
                    scene->GetGeometries().Count(), scene->GetMaterials().Count(), scene->GetCameras().Count(),
                    scene->GetLights().Count());

        // Node::Update evaluates one node's animated transformations under its parent's world
        // matrix; walking the tree parents first places every node at that time.
        struct Walker {
            static void Visit(SceneGraph::Node* node, float time, const Matrix4& parent) {
                const Matrix4& world = node->Update(time, parent);
                for (SceneGraph::Camera* camera : node->GetCameras())
                    std::printf("camera %s at %.0f s: %.2f %.2f %.2f\n", camera->GetId().CStr(), time, world[12],
                                world[13], world[14]);
                for (SceneGraph::Node* child = node->GetFirstChild(); child; child = child->GetNextSibling())
                    Visit(child, time, world);
            }
        };
        Walker::Visit(scene->GetRoot(), 10.0f, Matrix4());

        proxy->Release();
        device->Release();
    } catch (const Exception& e) {
        std::fprintf(stderr, "load-scene: %s\n", e.what());
        return 1;
    }
    return 0;
}
