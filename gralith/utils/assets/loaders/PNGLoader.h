#pragma once

#include "gralith/utils/assets/loaders/Loader.h"

namespace Gralith::Utils::Assets::Loaders {

/// Decodes PNG files into RGBA8 bitmaps (type 1), bottom row first. Palette, low-bit grey and
/// transparency chunks are expanded, 16-bit samples stripped to 8 bits. 8- and 16-bit grey
/// and grey with alpha are refused with "Unsupported PNG pixel format"; anything libpng cannot
/// read with "Not a PNG file". On failure the stream is back where decoding started.
class PNGLoader : public Loader {
public:
    using Loader::Load;
    Asset* Load(int type, InputStream* stream, String path, Proxy* proxy) override;
    bool CanLoad(int type) override;
    String GetName() override;
};

} // namespace Gralith::Utils::Assets::Loaders
