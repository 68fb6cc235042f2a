#pragma once

#include "gralith/graphics/Descriptions.h"
#include "gralith/graphics/RasterizerState.h"

namespace Gralith::Graphics {

struct GLFunctions;

/// A rasterizer state converted to GL at creation.
class GLRasterizerState : public RasterizerState {
public:
    /// Throws "Invalid cull face enum" (ErrorInvalidArgument).
    explicit GLRasterizerState(const RasterizerStateDesc& desc);
    void Apply(const GLFunctions& gl) const;
    const RasterizerStateDesc& GetDesc() const { return desc; }

private:
    RasterizerStateDesc desc;
};

} // namespace Gralith::Graphics
