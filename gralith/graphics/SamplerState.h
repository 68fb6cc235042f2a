#pragma once

#include "gralith/Object.h"

namespace Gralith::Graphics {

/// Immutable filtering and addressing of a texture unit.
/// The contents are read by the backend only.
class SamplerState : public Object {
public:
    ~SamplerState() override = default;
};

} // namespace Gralith::Graphics
