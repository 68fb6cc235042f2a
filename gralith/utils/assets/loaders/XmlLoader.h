#pragma once

#include "gralith/utils/Messages.h"
#include "gralith/utils/assets/loaders/Loader.h"

namespace Gralith::Utils::Xml {
class Element;
}

namespace Gralith::Utils::Assets::Loaders {

/// Parses an XML file and copies its first top-level element into the engine's XML tree,
/// wrapped as WrapperAsset<Xml::Element*, 11>. Each element's child list holds its attributes,
/// then its child elements, each in document order; its value is its leading text.
class XmlLoader : public Loader {
public:
    using Loader::Load;
    Asset* Load(int type, String path, Proxy* proxy) override;
    bool CanLoad(int type) override;
    String GetName() override;

    /// Message when the document parses but holds no element at all.
    static constexpr const char* NoRootElement = Messages::XmlNoRootElement;

    /// Deepest element nesting accepted: the parser and the tree copy recurse once per level,
    /// so a hostile file could otherwise exhaust the stack. Scripts nest a handful of levels.
    static constexpr int MaxDepth = 256;
    /// Message for a document nested deeper than MaxDepth.
    static constexpr const char* TooDeep = Messages::XmlTooDeep;
    /// Parses zero-terminated XML text into a new tree whose root the caller owns. Throws the
    /// parser's error description, NoRootElement or TooDeep.
    static Xml::Element* Parse(const char* text);
};

} // namespace Gralith::Utils::Assets::Loaders
