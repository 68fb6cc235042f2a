#pragma once

#include "gralith/utils/assets/loaders/Loader.h"

namespace Gralith::Utils::Assets::Loaders {

/// Rasterises a TrueType (or any FreeType-readable) font into a Font (type 10). The
/// descriptor is "file:pixelsize", for example "verdana.ttf:12"; the atlas is 16 x pixelsize
/// texels square. FreeType is initialised on the first load and kept for the process.
class TrueTypeFontLoader : public Loader {
public:
    using Loader::Load;
    Asset* Load(int type, String path, Proxy* proxy) override;
    bool CanLoad(int type) override;
    String GetName() override;

    /// Largest pixel size: its 16 x 16 glyph atlas (4096 texels square, 64 MiB) stays within the
    /// pixel budget of decoded images, so a font name in a script cannot ask for gigabytes.
    static constexpr int MaxPixelSize = 256;

    static constexpr const char* MissingSize = "You must specify both filename and fontsize (ex. \"verdana.ttf:12\")";
    static constexpr const char* InitFailed = "Error initializing FreeType 2";
    static constexpr const char* UnknownFormat = "Unknown file format";
    static constexpr const char* LoadFailed = "Error loading font";
    static constexpr const char* SizeFailed = "Error setting font pixel size";
};

} // namespace Gralith::Utils::Assets::Loaders
