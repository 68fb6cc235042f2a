#pragma once

#include "gralith/Object.h"
#include "gralith/graphics/Descriptions.h"

namespace Gralith::Graphics {

/// The vertex elements a draw reads, by stream and attribute slot.
class InputLayout : public Object {
public:
    ~InputLayout() override = default;
    /// Copies min(maxCount, element count) descriptions in creation order; answers that number.
    virtual int GetElements(int maxCount, InputElementDesc* elements) const = 0;
};

} // namespace Gralith::Graphics
