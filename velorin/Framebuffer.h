#pragma once

#include "gralith/utils/String.h"

namespace Gralith::Graphics {
class Surface;
}

namespace Velorin {

/// A named render target that script blocks draw into.
struct Framebuffer {
    Gralith::Graphics::Surface* colorSurface = nullptr;
    /// May be null.
    Gralith::Graphics::Surface* depthSurface = nullptr;
    Gralith::Utils::String name;
};

} // namespace Velorin
