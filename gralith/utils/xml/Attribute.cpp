#include "gralith/utils/xml/Attribute.h"

namespace Gralith::Utils::Xml {

Attribute::Attribute(Node* parent) : Node(parent) {}

int Attribute::GetType() { return 0; }

String Attribute::GetValue() { return value; }

void Attribute::SetValue(String v) { value = v; }

Attribute* Attribute::GetNextAttribute() {
    for (Node* node = GetNextSibling(); node; node = node->GetNextSibling())
        if (node->GetType() == 0)
            return static_cast<Attribute*>(node);
    return nullptr;
}

} // namespace Gralith::Utils::Xml
