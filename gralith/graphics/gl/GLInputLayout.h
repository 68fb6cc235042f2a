#pragma once

#include "gralith/graphics/InputLayout.h"

#include <vector>

namespace Gralith::Graphics {

/// The elements of a layout; the device binds them at draw time through the shading context.
class GLInputLayout : public InputLayout {
public:
    /// Throws for more than 16 elements or a bad data type (ErrorInvalidArgument).
    GLInputLayout(const InputElementDesc* elements, int count);
    int GetElements(int maxCount, InputElementDesc* out) const override;
    const std::vector<InputElementDesc>& Elements() const { return elements; }

private:
    std::vector<InputElementDesc> elements;
};

} // namespace Gralith::Graphics
