#include "gralith/utils/assets/loaders/XmlLoader.h"

#include "gralith/Exception.h"
#include "gralith/utils/xml/Attribute.h"
#include "gralith/utils/xml/Element.h"

#include <tinyxml.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>

namespace Gralith::Utils::Assets::Loaders {

namespace {

// Copies one parser element into target: name, leading text, then every attribute and every
// child element, each group in document order.
void Convert(const TiXmlElement* source, Xml::Element* target) {
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

bool StartsWith(const char* p, const char* prefix) { return std::strncmp(p, prefix, std::strlen(prefix)) == 0; }

// Skips past the first occurrence of end, or to the terminating zero.
const char* SkipPast(const char* p, const char* end) {
    const char* found = std::strstr(p, end);
    return found ? found + std::strlen(end) : p + std::strlen(p);
}

// The deepest element nesting in the text, read the way the parser tells markup apart:
// comments, CDATA and other "<!"/"<?" constructs are skipped, an element name starts with a
// letter, '_' or any byte above 126, and quotes only delimit attribute values (after '=').
// Stops counting once limit is passed.
int NestingDepth(const char* p, int limit) {
    int depth = 0, deepest = 0;
    while (*p && deepest <= limit) {
        if (*p != '<') {
            ++p;
            continue;
        }
        const auto next = static_cast<unsigned char>(p[1]);
        if (StartsWith(p, "<!--")) {
            p = SkipPast(p + 4, "-->");
        } else if (StartsWith(p, "<![CDATA[")) {
            p = SkipPast(p + 9, "]]>");
        } else if (next == '/') {
            depth = depth > 0 ? depth - 1 : 0;
            p = SkipPast(p + 2, ">");
        } else if (std::isalpha(next) || next == '_' || next > 126) {
            const char* q = p + 1;
            bool afterEquals = false;
            while (*q && *q != '>') {
                if (afterEquals && (*q == '"' || *q == '\'')) {
                    const char* close = std::strchr(q + 1, *q);
                    q = close ? close : q + std::strlen(q) - 1;
                    afterEquals = false;
                } else if (*q == '=') {
                    afterEquals = true;
                } else if (!std::isspace(static_cast<unsigned char>(*q))) {
                    afterEquals = false;
                }
                ++q;
            }
            if (!(*q == '>' && q[-1] == '/'))
                deepest = std::max(deepest, ++depth);
            p = *q ? q + 1 : q;
        } else {
            p = SkipPast(p + 1, ">");
        }
    }
    return deepest;
}

} // namespace

Xml::Element* XmlLoader::Parse(const char* text) {
    if (NestingDepth(text, MaxDepth) > MaxDepth)
        throw Exception(TooDeep);
    // The parser steps over a UTF-8 sequence by the length its lead byte announces, so a lead
    // byte at the very end would carry it past the terminator: the text ends in enough zeros.
    std::string padded(text);
    padded.append(4, '\0');
    TiXmlDocument document;
    document.Parse(padded.c_str(), nullptr, TIXML_ENCODING_UNKNOWN);
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

Asset* XmlLoader::Load(int, String path, Proxy* proxy) {
    String text = ReadFile(path, proxy);
    Asset* asset = new WrapperAsset<Xml::Element*, AssetXml>(Parse(text.CStr()));
    asset->SetName(path);
    return asset;
}

bool XmlLoader::CanLoad(int type) { return type == AssetXml; }

String XmlLoader::GetName() { return "XmlLoader"; }

} // namespace Gralith::Utils::Assets::Loaders
