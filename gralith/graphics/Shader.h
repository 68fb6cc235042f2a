#pragma once

#include "gralith/Object.h"

namespace Gralith::Graphics {

/// One compiled shader stage; programs link a vertex and a pixel shader.
/// The contents are read by the backend only.
class Shader : public Object {
public:
    ~Shader() override = default;
};

} // namespace Gralith::Graphics
