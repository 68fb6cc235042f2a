#pragma once

namespace Gralith::Utils::SceneGraph {

/// One key of a linear or switch channel.
struct LinearKeyframe {
    float time = 0.0f;
    float value = 0.0f;
};

} // namespace Gralith::Utils::SceneGraph
