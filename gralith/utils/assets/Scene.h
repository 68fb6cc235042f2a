#pragma once

#include "gralith/Ref.h"
#include "gralith/utils/Map.h"
#include "gralith/utils/String.h"
#include "gralith/utils/assets/Asset.h"

#include <string>
#include <unordered_map>

namespace Gralith::Utils::SceneGraph {
class Node;
class Skin;
class Camera;
class Light;
class Material;
} // namespace Gralith::Utils::SceneGraph

namespace Gralith::Utils::Assets {

class Geometry;

/// A loaded scene file: the node tree under an unnamed root, and the skins, geometries,
/// cameras, lights, materials and nodes by id. Look-ups are exact and answer the first entry
/// with the id (through an index, so loading stays linear in the size of the file). The scene owns everything in its
/// tables (geometries with a reference of its own, as the asset cache keeps them too); nodes belong to the tree.
class Scene : public Asset {
public:
    Scene();
    ~Scene() override;
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;

    int GetType() const override { return AssetScene; }

    SceneGraph::Node* GetRoot() const { return root.Get(); }
    /// Takes over the caller's reference on the root node (releasing a previous root).
    void SetRoot(SceneGraph::Node* node);

    /// Add* take over the caller's reference; AddGeometry takes its own.
    void AddSkin(const String& id, SceneGraph::Skin* skin) { Add(skins, skinIds, id, skin); }
    void AddGeometry(const String& id, Geometry* geometry);
    void AddCamera(const String& id, SceneGraph::Camera* camera) { Add(cameras, cameraIds, id, camera); }
    void AddLight(const String& id, SceneGraph::Light* light) { Add(lights, lightIds, id, light); }
    void AddMaterial(const String& id, SceneGraph::Material* material) { Add(materials, materialIds, id, material); }
    /// Nodes are owned by the tree; the table only finds them.
    void AddNode(const String& id, SceneGraph::Node* node) { Add(nodes, nodeIds, id, node); }

    SceneGraph::Skin* FindSkin(const String& id) const { return Find(skins, skinIds, id); }
    Geometry* FindGeometry(const String& id) const { return Find(geometries, geometryIds, id); }
    SceneGraph::Camera* FindCamera(const String& id) const { return Find(cameras, cameraIds, id); }
    SceneGraph::Light* FindLight(const String& id) const { return Find(lights, lightIds, id); }
    SceneGraph::Material* FindMaterial(const String& id) const { return Find(materials, materialIds, id); }
    SceneGraph::Node* FindNode(const String& id) const { return Find(nodes, nodeIds, id); }

    const Map<String, SceneGraph::Skin*>& GetSkins() const { return skins; }
    const Map<String, Geometry*>& GetGeometries() const { return geometries; }
    const Map<String, SceneGraph::Camera*>& GetCameras() const { return cameras; }
    const Map<String, SceneGraph::Light*>& GetLights() const { return lights; }
    const Map<String, SceneGraph::Material*>& GetMaterials() const { return materials; }
    const Map<String, SceneGraph::Node*>& GetNodes() const { return nodes; }

private:
    using Index = std::unordered_map<std::string, int>;

    // The index keeps the first entry of each id.
    template <class T>
    static void Add(Map<String, T*>& table, Index& index, const String& id, T* value) {
        index.emplace(id.CStr(), table.AddGrowing(id, value));
    }
    template <class T>
    static T* Find(const Map<String, T*>& table, const Index& index, const String& id) {
        auto found = index.find(id.CStr());
        return found == index.end() ? nullptr : table.GetValue(found->second);
    }

    Ref<SceneGraph::Node> root;
    Map<String, SceneGraph::Skin*> skins;
    Map<String, Geometry*> geometries;
    Map<String, SceneGraph::Camera*> cameras;
    Map<String, SceneGraph::Light*> lights;
    Map<String, SceneGraph::Material*> materials;
    Map<String, SceneGraph::Node*> nodes;
    Index skinIds, geometryIds, cameraIds, lightIds, materialIds, nodeIds;
};

} // namespace Gralith::Utils::Assets
