#include "gralith/utils/assets/loaders/XmlLoader.h"

#include "gralith/Exception.h"
#include "gralith/utils/xml/Attribute.h"
#include "gralith/utils/xml/Element.h"

#include <tinyxml.h>

namespace Gralith::Utils::Assets::Loaders {

namespace {

// Copies one parser element into target: name, leading text, then every attribute and every
// child element, each group in document order.
void Convert(const TiXmlElement* source, Xml::Element* target)
{
    target->SetName(source->Value());
    if (const char* text = source->GetText())
        target->SetValue(text);
    for (const TiXmlAttribute* a = source->FirstAttribute(); a; a = a->Next()) {
        Xml::Attribute* attribute = new Xml::Attribute(target);
        attribute->SetName(a->Name());
        attribute->SetValue(a->Value());
        target->AppendChild(attribute);
    }
    for (const TiXmlElement* e = source->FirstChildElement(); e; e = e->NextSiblingElement()) {
        Xml::Element* child = new Xml::Element(target);
        target->AppendChild(child);
        Convert(e, child);
    }
}

} // namespace

Xml::Element* XmlLoader::Parse(const char* text)
{
    TiXmlDocument document;
    document.Parse(text, nullptr, TIXML_ENCODING_UNKNOWN);
    if (document.Error())
        throw Exception(document.ErrorDesc());
    const TiXmlElement* first = document.FirstChildElement();
    if (!first)
        throw Exception(NoRootElement);
    Xml::Element* root = new Xml::Element(nullptr);
    try {
        Convert(first, root);
    } catch (...) {
        root->Release();
        throw;
    }
    return root;
}

Asset* XmlLoader::Load(int, String path, Proxy* proxy)
{
    String text = ReadFile(path, proxy);
    Asset* asset = new WrapperAsset<Xml::Element*, AssetXml>(Parse(text.CStr()));
    asset->SetName(path);
    return asset;
}

bool XmlLoader::CanLoad(int type) { return type == AssetXml; }

String XmlLoader::GetName() { return "XmlLoader"; }

} // namespace Gralith::Utils::Assets::Loaders
