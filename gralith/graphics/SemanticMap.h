#pragma once

#include "gralith/Object.h"

namespace Gralith::Graphics {

/// Translates the 16 attribute slots of input layouts into shader semantic names.
/// The contents are read by the backend only.
class SemanticMap : public Object {
public:
    ~SemanticMap() override = default;
};

} // namespace Gralith::Graphics
