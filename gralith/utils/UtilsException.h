#pragma once

#include "gralith/Exception.h"
#include "gralith/utils/String.h"

namespace Gralith::Utils {

/// An Exception built from a composed String message (ErrorGeneral).
class UtilsException : public Exception {
public:
    explicit UtilsException(const String& message) : Exception(message.CStr()) {}
};

} // namespace Gralith::Utils
