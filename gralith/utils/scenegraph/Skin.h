#pragma once

#include "gralith/Object.h"
#include "gralith/utils/Array.h"
#include "gralith/utils/String.h"
#include "gralith/utils/scenegraph/Matrix4.h"

namespace Gralith::Utils::Assets {
class Geometry;
}

namespace Gralith::Utils::SceneGraph {

class Node;

/// A skinned mesh's binding: the geometry, the joint nodes in file order, the bind shape
/// matrix and one inverse bind matrix per joint. Kept for tools and effects; nothing in the
/// engine deforms meshes with it. Geometry and joints are borrowed from the scene.
class Skin : public Object {
public:
    Skin() = default;

    void SetGeometry(Assets::Geometry* g) { geometry = g; }
    void AddJoint(Node* joint) { joints.AddGrowing(joint); }
    void SetBindShapeMatrix(const Matrix4& m) { bindShape = m; }
    void AddInverseBindMatrix(const Matrix4& m) { inverseBinds.AddGrowing(m); }

    Assets::Geometry* GetGeometry() const { return geometry; }
    const Array<Node*>& GetJoints() const { return joints; }
    const Matrix4& GetBindShapeMatrix() const { return bindShape; }
    const Array<Matrix4>& GetInverseBindMatrices() const { return inverseBinds; }

    const String& GetName() const { return name; }
    const String& GetId() const { return id; }
    void SetName(const String& n) { name = n; }
    void SetId(const String& i) { id = i; }

private:
    String id;
    String name;
    Assets::Geometry* geometry = nullptr;
    Array<Node*> joints;
    Matrix4 bindShape;
    Array<Matrix4> inverseBinds;
};

} // namespace Gralith::Utils::SceneGraph
