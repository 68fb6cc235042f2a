#pragma once

namespace Gralith::Utils::SceneGraph {

/// One key of a bezier channel. The tangent floats are kept as read; evaluation interpolates
/// linearly between keys and does not use them.
struct BezierKeyframe {
    float time = 0.0f;
    float value = 0.0f;
    float tangents[4] = {0.0f, 0.0f, 0.0f, 0.0f};
};

} // namespace Gralith::Utils::SceneGraph
