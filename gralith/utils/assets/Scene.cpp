#include "gralith/utils/assets/Scene.h"

#include "gralith/utils/assets/Geometry.h"
#include "gralith/utils/scenegraph/Camera.h"
#include "gralith/utils/scenegraph/Light.h"
#include "gralith/utils/scenegraph/Material.h"
#include "gralith/utils/scenegraph/Node.h"
#include "gralith/utils/scenegraph/Skin.h"

namespace Gralith::Utils::Assets {

Scene::Scene() = default;

Scene::~Scene() {
    for (SceneGraph::Skin* s : skins.Values())
        s->Release();
    for (Geometry* g : geometries.Values())
        g->Release();
    for (SceneGraph::Camera* c : cameras.Values())
        c->Release();
    for (SceneGraph::Light* l : lights.Values())
        l->Release();
    for (SceneGraph::Material* m : materials.Values())
        m->Release();
}

void Scene::SetRoot(SceneGraph::Node* node) { root.Adopt(node); }

void Scene::AddGeometry(const String& id, Geometry* geometry) {
    geometry->AddRef();
    Add(geometries, geometryIds, id, geometry);
}

} // namespace Gralith::Utils::Assets
