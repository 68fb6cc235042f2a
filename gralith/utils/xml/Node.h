#pragma once

#include "gralith/utils/String.h"
#include "gralith/utils/Tree.h"

namespace Gralith::Utils::Xml {

/// A node of the engine's XML tree: an attribute or an element. Attributes and child elements
/// of one element share its child list, attributes first; the typed accessors of Element and
/// Attribute skip the other kind. The tree is never handed the parser's own node types.
class Node : public Tree<Node> {
public:
    /// Both name and value start empty.
    explicit Node(Node* parent) : Tree<Node>(parent) {}

    /// 0 for an attribute, 1 for an element.
    virtual int GetType() = 0;
    virtual String GetName() { return name; }
    virtual void SetName(String n) { name = n; }

protected:
    String name;
    String value;
};

} // namespace Gralith::Utils::Xml
