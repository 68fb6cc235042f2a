#pragma once

#include "gralith/Object.h"
#include "gralith/utils/Array.h"

namespace Gralith::Utils::SceneGraph {

class Controller;

/// A fixed number of float channels, each driven by its own controller (a channel without one
/// reads 0). The values of the last evaluated time are kept, so repeated queries for the same
/// time cost nothing.
class Animation : public Object {
public:
    explicit Animation(int channelCount);
    ~Animation() override;
    Animation(const Animation&) = delete;
    Animation& operator=(const Animation&) = delete;

    /// Stores controller (taking over the caller's reference) in channel, releasing the one
    /// there before. A channel outside 0 .. count - 1 is ignored and the controller released.
    void SetController(int channel, Controller* controller);
    Controller* GetController(int channel) const;
    int GetChannelCount() const { return values.Count(); }

    /// Writes GetChannelCount() floats to out.
    void Evaluate(float time, float* out);
    /// Writes exactly outCount floats to out: the first channels, then zeros when the animation
    /// has fewer channels than asked for. For consumers that expect a fixed number of components.
    void Evaluate(float time, float* out, int outCount);

private:
    void Update(float time);

    Array<Controller*> controllers;
    Array<float> values;
    float lastTime = 0.0f;
    bool dirty = true;
};

} // namespace Gralith::Utils::SceneGraph
