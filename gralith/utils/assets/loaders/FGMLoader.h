#pragma once

#include "gralith/graphics/Enums.h"
#include "gralith/utils/assets/loaders/Loader.h"

namespace Gralith::Graphics {
class Device;
}
namespace Gralith::Utils::Assets {
class Geometry;
}

namespace Gralith::Utils::Assets::Loaders {

/// Loads FGM geometry (type 8): a file of its own ("mesh.fgm"), a geometry inside a cached
/// scene ("scene.fsg:meshId"), or a block embedded in an open scene file (stream overload; the
/// buffer mode comes from the descriptor's second ':' field, "static" by default).
///
/// Every count and read is checked against the stream, and every index against the vertex
/// count, so a corrupt file fails with a message instead of reaching the device. A failed
/// stream read leaves the stream where the block started.
class FGMLoader : public Loader {
public:
    Asset* Load(int type, String path, Proxy* proxy) override;
    Asset* Load(int type, InputStream* stream, String path, Proxy* proxy) override;
    bool CanLoad(int type) override;
    String GetName() override;

    /// Reads one FGM block at the stream's position into a new Geometry (one reference for the
    /// caller) whose buffers are created on device with mode.
    static Geometry* ReadBlock(InputStream* stream, Graphics::Device* device, Graphics::BufferMode mode);
    /// Checks one FGM block at the stream's position and moves past it, creating nothing.
    static void SkipBlock(InputStream* stream);
    /// The attribute slot of a semantic name; unknownSeen counts the unknown names before it in
    /// the block (the first unknown name gets 15, the second 14, ...).
    static int SlotOfSemantic(const String& semantic, int unknownSeen);
    /// "static", "dynamic" or "volatile"; throws "Unsupported Buffer Mode: " + name otherwise.
    static Graphics::BufferMode ParseBufferMode(const String& name);

    /// The most streams one block may hold: the device's stream and attribute slots.
    static constexpr int MaxStreams = 16;
};

} // namespace Gralith::Utils::Assets::Loaders
