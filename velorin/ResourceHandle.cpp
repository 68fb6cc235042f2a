#include "velorin/ResourceHandle.h"

#include "gralith/graphics/Program.h"
#include "gralith/graphics/Texture.h"
#include "gralith/utils/assets/Proxy.h"
#include "gralith/utils/assets/Scene.h"
#include "gralith/utils/xml/Element.h"
#include "velorin/Globals.h"

namespace Velorin {

namespace {

using Gralith::Utils::String;
using Gralith::Utils::Assets::Asset;

Asset* Request(int type, const String& descriptor) {
    return AssetProxy ? AssetProxy->Get(type, descriptor, nullptr) : nullptr;
}

// An asset of another kind than the one asked for (a misbehaving loader) gives no payload
// rather than being taken for the wrong type.
template <class T>
T* Unwrap(const String& descriptor) {
    constexpr int type = ResourceType<T>::Value;
    auto* wrapper = dynamic_cast<Gralith::Utils::Assets::WrapperAsset<T*, type>*>(Request(type, descriptor));
    return wrapper ? wrapper->GetValue() : nullptr;
}

} // namespace

template <>
Gralith::Graphics::Program* RequestResource(const String& descriptor) {
    return Unwrap<Gralith::Graphics::Program>(descriptor);
}

template <>
Gralith::Graphics::Texture* RequestResource(const String& descriptor) {
    return Unwrap<Gralith::Graphics::Texture>(descriptor);
}

template <>
Gralith::Utils::Xml::Element* RequestResource(const String& descriptor) {
    return Unwrap<Gralith::Utils::Xml::Element>(descriptor);
}

template <>
Gralith::Utils::Assets::Scene* RequestResource(const String& descriptor) {
    return dynamic_cast<Gralith::Utils::Assets::Scene*>(
        Request(ResourceType<Gralith::Utils::Assets::Scene>::Value, descriptor));
}

} // namespace Velorin
