#pragma once

#include "gralith/utils/scenegraph/KeyframedController.h"
#include "gralith/utils/scenegraph/LinearKeyframe.h"

namespace Gralith::Utils::SceneGraph {

/// Straight lines between keys.
class LinearController : public KeyframedController<LinearKeyframe> {
protected:
    float Interpolate(const LinearKeyframe& a, const LinearKeyframe& b, float s) override {
        return a.value + (b.value - a.value) * s;
    }
};

} // namespace Gralith::Utils::SceneGraph
