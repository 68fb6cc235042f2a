#pragma once

#include "gralith/utils/scenegraph/Controller.h"

namespace Gralith::Utils::SceneGraph {

/// Answers the same value at every time.
class ConstantController : public Controller {
public:
    explicit ConstantController(float value) : value(value) {}
    float Evaluate(float) override { return value; }
    float GetValue() const { return value; }

private:
    float value;
};

} // namespace Gralith::Utils::SceneGraph
