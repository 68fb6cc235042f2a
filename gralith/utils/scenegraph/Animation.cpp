#include "gralith/utils/scenegraph/Animation.h"

#include "gralith/utils/scenegraph/Controller.h"

namespace Gralith::Utils::SceneGraph {

Animation::Animation(int channelCount) {
    if (channelCount < 0)
        channelCount = 0;
    controllers.Reserve(channelCount);
    values.Reserve(channelCount);
    for (int i = 0; i < channelCount; ++i) {
        controllers.Add(nullptr);
        values.Add(0.0f);
    }
}

Animation::~Animation() {
    for (Controller* c : controllers)
        if (c)
            c->Release();
}

void Animation::SetController(int channel, Controller* controller) {
    if (channel < 0 || channel >= controllers.Count()) {
        if (controller)
            controller->Release();
        return;
    }
    if (controllers[channel])
        controllers[channel]->Release();
    controllers[channel] = controller;
    dirty = true;
}

Controller* Animation::GetController(int channel) const {
    if (channel < 0 || channel >= controllers.Count())
        return nullptr;
    return controllers[channel];
}

void Animation::Update(float time) {
    if (!dirty && time == lastTime)
        return;
    for (int i = 0; i < controllers.Count(); ++i)
        values[i] = controllers[i] ? controllers[i]->Evaluate(time) : 0.0f;
    lastTime = time;
    dirty = false;
}

void Animation::Evaluate(float time, float* out) {
    Update(time);
    for (int i = 0; i < values.Count(); ++i)
        out[i] = values[i];
}

void Animation::Evaluate(float time, float* out, int outCount) {
    Update(time);
    for (int i = 0; i < outCount; ++i)
        out[i] = i < values.Count() ? values[i] : 0.0f;
}

} // namespace Gralith::Utils::SceneGraph
