#pragma once

#include "gralith/utils/String.h"

namespace Gralith::Utils::SceneGraph {
class Animation;
}

namespace Velorin {

/// The animation behind one animated parameter: 1 channel for a float or integer parameter,
/// 4 for a vector, every channel driven by a LinearController or every one by a
/// SwitchController.
struct Controller {
    /// The controller element's tag: "LinearKeys" or "SwitchKeys".
    Gralith::Utils::String type;
    /// Owned: one reference.
    Gralith::Utils::SceneGraph::Animation* animation = nullptr;
};

} // namespace Velorin
