#pragma once

#include "gralith/utils/Messages.h"
#include "gralith/utils/assets/loaders/Loader.h"

namespace Gralith::Utils::Assets::Loaders {

/// Loads FSG scene files (type 9) by path ("scene.fsg", further ':' fields unused): the
/// embedded FGM geometry through the proxy with the open file, materials' programs and
/// textures through the proxy, then skins, cameras, lights and the node tree, and finally the
/// joint and camera-target references. Every count and read is checked against the file.
class FSGLoader : public Loader {
public:
    /// The deepest node nesting accepted; deeper trees are rejected as corrupt rather than
    /// risking the stack.
    static constexpr int MaxNodeDepth = 256;
    /// Thrown (ErrorGeneral) when the proxy has no graphics device, which a scene needs for its
    /// geometry and materials.
    static constexpr const char* NeedsDevice = Messages::SceneNeedsDevice;

    using Loader::Load;
    Asset* Load(int type, String path, Proxy* proxy) override;
    bool CanLoad(int type) override;
    String GetName() override;
};

} // namespace Gralith::Utils::Assets::Loaders
