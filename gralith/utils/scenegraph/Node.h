#pragma once

#include "gralith/utils/Array.h"
#include "gralith/utils/String.h"
#include "gralith/utils/Tree.h"
#include "gralith/utils/scenegraph/Batch.h"
#include "gralith/utils/scenegraph/Matrix4.h"

namespace Gralith::Utils::SceneGraph {

class Transformation;
class Camera;
class Light;

/// A scene node: its local matrix is the product of its transformations (the first listed is
/// the outermost), its world matrix that product under the parent's world matrix. The tree
/// owns its nodes downwards; transformations are owned, batches, lights and cameras borrowed
/// from the scene.
class Node : public Tree<Node> {
public:
    explicit Node(Node* parent = nullptr);
    ~Node() override;

    /// Recomputes local and world at time under parentWorld and answers the world matrix.
    /// Children are not visited: callers walk the tree parents first.
    const Matrix4& Update(float time, const Matrix4& parentWorld);

    /// Takes over the caller's reference.
    void AddTransformation(Transformation* transformation) { transformations.AddGrowing(transformation); }
    void AddBatch(const Batch& batch) { batches.AddGrowing(batch); }
    void AddLight(Light* light) { lights.AddGrowing(light); }
    void AddCamera(Camera* camera) { cameras.AddGrowing(camera); }

    const String& GetName() const { return name; }
    const String& GetId() const { return id; }
    /// The scoped id joints are found by; empty in files that do not carry it.
    const String& GetSid() const { return sid; }
    void SetName(const String& n) { name = n; }
    void SetId(const String& i) { id = i; }
    void SetSid(const String& s) { sid = s; }

    const Matrix4& GetLocal() const { return local; }
    const Matrix4& GetWorld() const { return world; }
    const Array<Transformation*>& GetTransformations() const { return transformations; }
    const Array<Batch>& GetBatches() const { return batches; }
    const Array<Light*>& GetLights() const { return lights; }
    const Array<Camera*>& GetCameras() const { return cameras; }

private:
    String name;
    String id;
    String sid;
    Matrix4 local;
    Matrix4 world;
    Array<Transformation*> transformations;
    Array<Batch> batches;
    Array<Light*> lights;
    Array<Camera*> cameras;
};

} // namespace Gralith::Utils::SceneGraph
