#pragma once

#include "gralith/Object.h"

namespace Gralith::Graphics {

/// Immutable depth and stencil test settings.
/// The contents are read by the backend only.
class DepthStencilState : public Object {
public:
    ~DepthStencilState() override = default;
};

} // namespace Gralith::Graphics
