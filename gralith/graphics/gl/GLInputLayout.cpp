#include "gralith/graphics/gl/GLInputLayout.h"

#include "gralith/graphics/StateValidation.h"

namespace Gralith::Graphics {

GLInputLayout::GLInputLayout(const InputElementDesc* elements, int count) {
    ValidateInputElements(elements, count);
    this->elements.assign(elements, elements + count);
}

int GLInputLayout::GetElements(int maxCount, InputElementDesc* out) const {
    int n = static_cast<int>(elements.size());
    if (maxCount < n)
        n = maxCount < 0 ? 0 : maxCount;
    for (int i = 0; i < n; ++i)
        out[i] = elements[i];
    return n;
}

} // namespace Gralith::Graphics
