#include "gralith/utils/xml/Element.h"

namespace Gralith::Utils::Xml {

namespace {

constexpr int AttributeType = 0;
constexpr int ElementType = 1;

// The first node of the wanted kind, starting at node itself.
Node* FirstOfType(Node* node, int type) {
    while (node && node->GetType() != type)
        node = node->GetNextSibling();
    return node;
}

} // namespace

Element::Element(Node* parent) : Node(parent) {}

int Element::GetType() { return ElementType; }

Attribute* Element::FindAttribute(const String& name) {
    for (Attribute* a = GetFirstAttribute(); a; a = a->GetNextAttribute())
        if (a->GetName() == name)
            return a;
    return nullptr;
}

String Element::GetAttribute(String name) {
    Attribute* a = FindAttribute(name);
    return a ? a->GetValue() : String();
}

void Element::SetAttribute(String name, String v) {
    if (Attribute* a = FindAttribute(name)) {
        a->SetValue(v);
        return;
    }
    Attribute* a = new Attribute(this);
    a->SetName(name);
    a->SetValue(v);
    AppendChild(a);
}

bool Element::HasAttribute(String name) { return FindAttribute(name) != nullptr; }

String Element::GetValue() { return value; }

void Element::SetValue(String v) { value = v; }

Attribute* Element::GetFirstAttribute() { return static_cast<Attribute*>(FirstOfType(GetFirstChild(), AttributeType)); }

Element* Element::GetFirstChildElement() { return static_cast<Element*>(FirstOfType(GetFirstChild(), ElementType)); }

Element* Element::GetNextSiblingElement() { return static_cast<Element*>(FirstOfType(GetNextSibling(), ElementType)); }

Element* Element::GetChild(String name) {
    for (Element* e = GetFirstChildElement(); e; e = e->GetNextSiblingElement())
        if (e->GetName() == name)
            return e;
    return nullptr;
}

} // namespace Gralith::Utils::Xml
