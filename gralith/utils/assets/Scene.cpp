#include "gralith/utils/assets/Scene.h"

#include "gralith/utils/assets/Geometry.h"
#include "gralith/utils/scenegraph/Camera.h"
#include "gralith/utils/scenegraph/Light.h"
#include "gralith/utils/scenegraph/Material.h"

namespace Gralith::Utils::Assets {

Scene::Scene() = default;

Scene::~Scene()
{
    // Node and skin release joins here with the node tree.
    for (Geometry* g : geometries.Values())
        g->Release();
    for (SceneGraph::Camera* c : cameras.Values())
        c->Release();
    for (SceneGraph::Light* l : lights.Values())
        l->Release();
    for (SceneGraph::Material* m : materials.Values())
        m->Release();
}

void Scene::AddGeometry(const String& id, Geometry* geometry)
{
    geometry->AddRef();
    geometries.Add(id, geometry);
}

} // namespace Gralith::Utils::Assets
