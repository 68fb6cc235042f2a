#pragma once

#include "gralith/utils/scenegraph/Vector4.h"

namespace Velorin {

class Effect;
struct Controller;

/// Writes a controller's value at the presentation time into one parameter of one effect.
/// Exactly one of the three targets is set.
struct Influence {
    Controller* controller = nullptr;
    /// The effect whose field is written (its fields live as long as it does).
    Effect* effect = nullptr;
    float* floatTarget = nullptr;
    int* intTarget = nullptr;
    Gralith::Utils::Vector4t<float>* vectorTarget = nullptr;
};

} // namespace Velorin
