#pragma once

#include "velorin/Effect.h"

namespace Velorin {

/// Clears the colour buffer of the bound render target. Parameters: "Color" (vector, red,
/// green, blue, alpha; default opaque black), "Depth" (float, default 1) and "Stencil" (integer,
/// default 0). Only colour is cleared: depth and stencil are passed to the device but their
/// buffers are left alone.
class ClearScreen : public Effect {
public:
    ClearScreen();

    void Render() override;

    const Vector4& GetColor() const { return color; }
    float GetDepth() const { return depth; }
    int GetStencil() const { return stencil; }
    int GetClearFlags() const { return clearFlags; }

private:
    Vector4 color;
    float depth;
    int stencil;
    int clearFlags;
};

} // namespace Velorin
