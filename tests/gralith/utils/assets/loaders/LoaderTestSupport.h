#pragma once

#include "gralith/Exception.h"
#include "gralith/Object.h"

#include <memory>
#include <string>

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

/// The message of the Exception that f throws, or "<no exception>".
template <class F>
std::string MessageOf(F&& f) {
    try {
        f();
    } catch (const Gralith::Exception& e) {
        return e.GetMessage();
    }
    return "<no exception>";
}

} // namespace GralithTest
