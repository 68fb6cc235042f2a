#pragma once

#include "gralith/Exception.h"
#include "gralith/utils/String.h"
#include "gralith/utils/assets/Asset.h"
#include "velorin/Messages.h"

namespace Gralith::Graphics {
class Program;
class Texture;
} // namespace Gralith::Graphics
namespace Gralith::Utils::Xml {
class Element;
}
namespace Gralith::Utils::Assets {
class Scene;
}

namespace Velorin {

/// The asset type requested for each payload type a handle can carry.
template <class T>
struct ResourceType;
template <>
struct ResourceType<Gralith::Graphics::Program> {
    static constexpr int Value = Gralith::Utils::Assets::AssetProgram;
};
template <>
struct ResourceType<Gralith::Graphics::Texture> {
    static constexpr int Value = Gralith::Utils::Assets::AssetTexture;
};
template <>
struct ResourceType<Gralith::Utils::Xml::Element> {
    static constexpr int Value = Gralith::Utils::Assets::AssetXml;
};
template <>
struct ResourceType<Gralith::Utils::Assets::Scene> {
    static constexpr int Value = Gralith::Utils::Assets::AssetScene;
};

/// Asks AssetProxy for the asset of T's type under descriptor and answers the payload it
/// carries: the wrapped object, or the scene asset itself. Null when there is no proxy or the
/// asset is not of the type asked for. Loading failures propagate as the proxy's Exception.
template <class T>
T* RequestResource(const Gralith::Utils::String& descriptor);
template <>
Gralith::Graphics::Program* RequestResource(const Gralith::Utils::String& descriptor);
template <>
Gralith::Graphics::Texture* RequestResource(const Gralith::Utils::String& descriptor);
template <>
Gralith::Utils::Xml::Element* RequestResource(const Gralith::Utils::String& descriptor);
template <>
Gralith::Utils::Assets::Scene* RequestResource(const Gralith::Utils::String& descriptor);

/// How the presentation refers to an asset by descriptor. The handle holds no reference: the
/// asset proxy's cache keeps the asset alive for the whole run. Copies share the payload.
template <class T>
class ResourceHandle {
public:
    /// An empty handle: using its payload throws.
    ResourceHandle() = default;
    /// Loads (or finds in the cache) the asset for descriptor at once.
    explicit ResourceHandle(const Gralith::Utils::String& descriptor) : payload(nullptr), descriptor(descriptor) {
        payload = RequestResource<T>(descriptor);
    }

    /// The payload; throws "Resource not set to a valid descriptor" when there is none.
    T* Get() const {
        if (!payload)
            throw Gralith::Exception(Messages::ResourceNotSet);
        return payload;
    }
    T* operator->() const { return Get(); }
    T& operator*() const { return *Get(); }

    bool IsSet() const { return payload != nullptr; }
    const Gralith::Utils::String& GetDescriptor() const { return descriptor; }

private:
    T* payload = nullptr;
    Gralith::Utils::String descriptor;
};

} // namespace Velorin
