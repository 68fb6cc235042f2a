#pragma once

#include "gralith/graphics/DepthStencilState.h"
#include "gralith/graphics/Descriptions.h"

namespace Gralith::Graphics {

struct GLFunctions;

/// A depth-stencil state converted to GL at creation.
class GLDepthStencilState : public DepthStencilState {
public:
    /// Throws "Invalid compare function enum" or "Invalid stencil operation enum" (ErrorInvalidArgument).
    explicit GLDepthStencilState(const DepthStencilStateDesc& desc);
    void Apply(const GLFunctions& gl) const;
    const DepthStencilStateDesc& GetDesc() const { return desc; }

private:
    DepthStencilStateDesc desc;
    unsigned int depthFunction, stencilFunction, stencilFail, stencilDepthFail, stencilPass;
};

} // namespace Gralith::Graphics
