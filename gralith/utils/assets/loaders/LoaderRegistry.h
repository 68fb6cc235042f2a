#pragma once

namespace Gralith::Utils::Assets {
class Proxy;
}

namespace Gralith::Utils::Assets::Loaders {

/// Registers the engine's loaders with a new proxy, in the order that decides which loader wins
/// when several accept a type.
void RegisterLoaders(Proxy* proxy);

} // namespace Gralith::Utils::Assets::Loaders
