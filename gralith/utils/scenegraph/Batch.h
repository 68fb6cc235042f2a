#pragma once

namespace Gralith::Utils::Assets {
class Geometry;
}

namespace Gralith::Utils::SceneGraph {

class Skin;
class Material;

/// What a node draws: a geometry or a skin (at least one is set) with its material. The
/// pointers are borrowed from the scene's tables.
struct Batch {
    Assets::Geometry* geometry = nullptr;
    Skin* skin = nullptr;
    Material* material = nullptr;
};

} // namespace Gralith::Utils::SceneGraph
