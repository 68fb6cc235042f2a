#pragma once

#include "gralith/Object.h"

namespace Gralith::Graphics {

/// Immutable rasterizer settings: point size, line width, winding, culling, scissor.
/// The contents are read by the backend only.
class RasterizerState : public Object {
public:
    ~RasterizerState() override = default;
};

} // namespace Gralith::Graphics
