#pragma once

#include "gralith/Object.h"

namespace Gralith::Utils::SceneGraph {

/// Maps time in seconds to one float: the driver of one animation channel or one timed script
/// parameter.
class Controller : public Object {
public:
    virtual float Evaluate(float time) = 0;
};

} // namespace Gralith::Utils::SceneGraph
