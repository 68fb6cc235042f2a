#pragma once

#include "gralith/graphics/Descriptions.h"
#include "gralith/graphics/SamplerState.h"

namespace Gralith::Graphics {

struct GLFunctions;

/// Filters and wrap modes converted to GL at creation; applied to a texture object when a
/// sampler parameter binds it. The W address mode is not used.
class GLSamplerState : public SamplerState {
public:
    /// Throws "Illegal filter mode enum" (ErrorInvalidArgument).
    explicit GLSamplerState(const SamplerStateDesc& desc);
    /// Sets the four values on the texture bound to target.
    void ApplyToTexture(const GLFunctions& gl, unsigned int target) const;
    /// The defaults of a sampler without a state: LINEAR, LINEAR, REPEAT, REPEAT.
    static void ApplyDefaultToTexture(const GLFunctions& gl, unsigned int target);
    unsigned int GetMagFilter() const { return magFilter; }
    unsigned int GetMinFilter() const { return minFilter; }
    unsigned int GetWrapS() const { return wrapS; }
    unsigned int GetWrapT() const { return wrapT; }

private:
    unsigned int magFilter, minFilter, wrapS, wrapT;
};

} // namespace Gralith::Graphics
