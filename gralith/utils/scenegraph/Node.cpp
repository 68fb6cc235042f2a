#include "gralith/utils/scenegraph/Node.h"

#include "gralith/utils/scenegraph/Transformation.h"

namespace Gralith::Utils::SceneGraph {

Node::Node(Node* parent) : Tree<Node>(parent) {}

Node::~Node() {
    for (Transformation* t : transformations)
        if (t)
            t->Release();
}

const Matrix4& Node::Update(float time, const Matrix4& parentWorld) {
    Matrix4 m;
    for (Transformation* t : transformations)
        m *= t->Evaluate(time);
    local = m;
    world = parentWorld * local;
    return world;
}

} // namespace Gralith::Utils::SceneGraph
