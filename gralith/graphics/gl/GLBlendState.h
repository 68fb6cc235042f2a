#pragma once

#include "gralith/graphics/BlendState.h"
#include "gralith/graphics/Descriptions.h"

namespace Gralith::Graphics {

struct GLFunctions;

/// A blend state with its operands converted to GL at creation.
class GLBlendState : public BlendState {
public:
    /// Throws "Invalid blend operand enum" (ErrorInvalidArgument).
    explicit GLBlendState(const BlendStateDesc& desc);
    void Apply(const GLFunctions& gl) const;
    const BlendStateDesc& GetDesc() const { return desc; }

private:
    BlendStateDesc desc;
    unsigned int source, destination, sourceAlpha, destinationAlpha;
};

} // namespace Gralith::Graphics
