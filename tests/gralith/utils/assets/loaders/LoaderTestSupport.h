#pragma once

#include "gralith/Object.h"

#include "tests/support/Expect.h"

#include <memory>

namespace GralithTest {

struct ReleaseObject {
    void operator()(Gralith::Object* object) const {
        if (object)
            object->Release();
    }
};

/// Holds one counted reference and releases it at the end of the scope.
template <class T>
using Held = std::unique_ptr<T, ReleaseObject>;

} // namespace GralithTest
