#include "gralith/utils/xml/Element.h"
#include "gralith/utils/xml/Attribute.h"

#include <gtest/gtest.h>

using Gralith::Utils::String;
using Gralith::Utils::Xml::Attribute;
using Gralith::Utils::Xml::Element;
using Gralith::Utils::Xml::Node;

namespace {

Attribute* AddAttribute(Element* parent, const char* name, const char* value) {
    Attribute* a = new Attribute(parent);
    a->SetName(name);
    a->SetValue(value);
    parent->AppendChild(a);
    return a;
}

Element* AddElement(Element* parent, const char* name) {
    Element* e = new Element(parent);
    e->SetName(name);
    parent->AppendChild(e);
    return e;
}

} // namespace

TEST(XmlElement, SetAttributeChangesInPlaceOrAppendsAfterEveryChild) {
    // Attributes a and b, then elements x and y, linked in the loader's order.
    Element* root = new Element();
    AddAttribute(root, "a", "1");
    Attribute* b = AddAttribute(root, "b", "two");
    AddElement(root, "x");
    Element* y = AddElement(root, "y");
    root->SetAttribute("b", "3");
    EXPECT_TRUE(root->GetAttribute("b") == "3");
    EXPECT_EQ(nullptr, b->GetNextAttribute()); // nothing was added

    root->SetAttribute("c", "new");
    EXPECT_TRUE(root->GetAttribute("c") == "new");
    EXPECT_TRUE(root->HasAttribute("c"));
    // Appended after every existing child, where the element accessors skip it.
    Node* added = y->GetNextSibling();
    ASSERT_NE(nullptr, added);
    EXPECT_EQ(0, added->GetType());
    EXPECT_TRUE(added->GetName() == "c");
    EXPECT_EQ(root, added->GetParent());
    EXPECT_EQ(nullptr, y->GetNextSiblingElement());
    EXPECT_EQ(added, b->GetNextAttribute());
    root->Release();

    Element* empty = new Element();
    empty->SetAttribute("only", "v");
    EXPECT_EQ(empty->GetFirstChild(), empty->GetFirstAttribute());
    EXPECT_TRUE(empty->GetAttribute("only") == "v");
    empty->Release();
}

TEST(XmlNode, ReleasingTheRootFreesAttributesAndElements) {
    Element* root = new Element();
    Element* child = AddElement(root, "child");
    AddAttribute(child, "k", "v");
    Attribute* kept = AddAttribute(root, "kept", "yes");
    kept->AddRef();
    root->Release();
    // Whoever holds its own reference keeps the node.
    EXPECT_TRUE(kept->GetValue() == "yes");
    EXPECT_EQ(1, kept->GetRefCount());
    kept->Release();
}
