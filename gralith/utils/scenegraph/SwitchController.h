#pragma once

#include "gralith/utils/scenegraph/KeyframedController.h"
#include "gralith/utils/scenegraph/LinearKeyframe.h"

namespace Gralith::Utils::SceneGraph {

/// Holds each key's value until the next key's time.
class SwitchController : public KeyframedController<LinearKeyframe> {
protected:
    float Interpolate(const LinearKeyframe& a, const LinearKeyframe&, float) override { return a.value; }
};

} // namespace Gralith::Utils::SceneGraph
