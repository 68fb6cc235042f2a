#pragma once

#include "gralith/Object.h"

namespace Gralith::Graphics {

/// Immutable blending and colour write settings.
/// The contents are read by the backend only.
class BlendState : public Object {
public:
    ~BlendState() override = default;
};

} // namespace Gralith::Graphics
