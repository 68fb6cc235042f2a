#pragma once

#include "gralith/utils/xml/Attribute.h"
#include "gralith/utils/xml/Node.h"

namespace Gralith::Utils::Xml {

/// An XML element: the name is the tag name, the value its leading text (empty when it has
/// none). Name comparisons are exact and case-sensitive. Returned pointers are borrowed and stay
/// valid while the tree's root is alive. Nothing here throws: a missing attribute reads as an
/// empty string and a missing child as null.
class Element : public Node {
public:
    explicit Element(Node* parent = nullptr);

    int GetType() override;
    /// The value of the first attribute with that name, or an empty string.
    virtual String GetAttribute(String name);
    /// Changes the first attribute with that name, or appends a new one after all children.
    virtual void SetAttribute(String name, String value);
    virtual bool HasAttribute(String name);
    virtual String GetValue();
    virtual void SetValue(String v);
    virtual Attribute* GetFirstAttribute();
    virtual Element* GetFirstChildElement();
    virtual Element* GetNextSiblingElement();
    /// The first child element with that name, or null.
    virtual Element* GetChild(String name);

private:
    Attribute* FindAttribute(const String& name);
};

} // namespace Gralith::Utils::Xml
