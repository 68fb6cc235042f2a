#pragma once

#include "gralith/utils/assets/loaders/Loader.h"

namespace Gralith::Utils::Assets::Loaders {

/// Decodes colour JPEG files into RGBA8 bitmaps (type 1, alpha 255), bottom row first. The
/// whole stream is read into memory and decoded from there. Greyscale and other non-RGB
/// images yield no asset (null); anything libjpeg cannot read throws "Not a JPG file" with the
/// stream back where it was.
class JPEGLoader : public Loader {
public:
    using Loader::Load;
    Asset* Load(int type, InputStream* stream, String path, Proxy* proxy) override;
    bool CanLoad(int type) override;
    String GetName() override;
};

} // namespace Gralith::Utils::Assets::Loaders
