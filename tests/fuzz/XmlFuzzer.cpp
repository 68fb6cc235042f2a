// libFuzzer target: XML text from arbitrary bytes, parsed into the engine's tree, which is then
// walked the way the script reader walks it (attributes, values, children, lookups by name).
// An accepted document must be no deeper than the loader's nesting limit: the limit is checked
// by a scan ahead of the parser, and a scan that misread some markup would let a deeper one in.
#include "gralith/Exception.h"
#include "gralith/utils/assets/loaders/XmlLoader.h"
#include "gralith/utils/xml/Attribute.h"
#include "gralith/utils/xml/Element.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace Gralith::Utils;

// Iterative, so the walk itself cannot be what overflows the stack on a deep document.
std::size_t Walk(Xml::Element* root) {
    std::size_t visited = 0;
    std::vector<std::pair<Xml::Element*, int>> pending{{root, 1}};
    while (!pending.empty()) {
        auto [element, depth] = pending.back();
        pending.pop_back();
        if (depth > Assets::Loaders::XmlLoader::MaxDepth)
            std::abort();
        ++visited;
        String name = element->GetName();
        visited += std::size_t(element->GetValue().Length() + name.Length());
        for (Xml::Attribute* a = element->GetFirstAttribute(); a; a = a->GetNextAttribute()) {
            if (!element->HasAttribute(a->GetName()))
                std::abort();
            visited += std::size_t(element->GetAttribute(a->GetName()).Length());
        }
        element->GetChild(name);
        for (Xml::Element* child = element->GetFirstChildElement(); child; child = child->GetNextSiblingElement())
            pending.emplace_back(child, depth + 1);
    }
    return visited;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > (1u << 20))
        return 0;
    const std::string text(reinterpret_cast<const char*>(data), size);
    try {
        Xml::Element* root = Assets::Loaders::XmlLoader::Parse(text.c_str());
        volatile std::size_t visited = Walk(root);
        (void)visited;
        root->Release();
    } catch (const Gralith::Exception&) {
    }
    return 0;
}
