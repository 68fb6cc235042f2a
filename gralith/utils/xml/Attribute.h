#pragma once

#include "gralith/utils/xml/Node.h"

namespace Gralith::Utils::Xml {

/// A name/value pair in its element's child list.
class Attribute : public Node {
public:
    explicit Attribute(Node* parent);

    int GetType() override;
    virtual String GetValue();
    virtual void SetValue(String v);
    /// The nearest following sibling that is an attribute, or null (borrowed).
    virtual Attribute* GetNextAttribute();
};

} // namespace Gralith::Utils::Xml
