#pragma once

#include "gralith/utils/scenegraph/BezierKeyframe.h"
#include "gralith/utils/scenegraph/KeyframedController.h"

namespace Gralith::Utils::SceneGraph {

/// Keys with tangent data, evaluated as straight lines between keys (the tangents are carried
/// for exporters and tools; the scenes of this system are sampled densely enough without them).
class BezierController : public KeyframedController<BezierKeyframe> {
protected:
    float Interpolate(const BezierKeyframe& a, const BezierKeyframe& b, float s) override {
        return a.value + (b.value - a.value) * s;
    }
};

} // namespace Gralith::Utils::SceneGraph
