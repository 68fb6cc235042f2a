#pragma once

#include "gralith/utils/Messages.h"
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

    static constexpr const char* MissingSize = Messages::FontMissingSize;
    static constexpr const char* InitFailed = Messages::FontInitFailed;
    static constexpr const char* UnknownFormat = Messages::FontUnknownFormat;
    static constexpr const char* LoadFailed = Messages::FontLoadFailed;
    static constexpr const char* SizeFailed = Messages::FontSizeFailed;
};

} // namespace Gralith::Utils::Assets::Loaders
