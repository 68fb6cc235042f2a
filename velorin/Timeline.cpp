#include "velorin/Timeline.h"

#include "gralith/graphics/Device.h"
#include "gralith/utils/scenegraph/Animation.h"
#include "velorin/Controller.h"
#include "velorin/Effect.h"
#include "velorin/Framebuffer.h"
#include "velorin/Globals.h"
#include "velorin/Influence.h"

#include <climits>
#include <cmath>

namespace Velorin {

Gralith::Utils::Array<Effect*> Effects;
Gralith::Utils::Array<Stage*> Stages;
Gralith::Utils::Array<Framebuffer*> Framebuffers;
Gralith::Utils::Array<Influence*> Influences;
Gralith::Utils::Array<Effect*> FailedEffects;

int TruncateToInt(float value) {
    // Converting a float outside the int range is undefined; a script can animate to any value.
    if (std::isnan(value))
        return 0;
    if (value >= 2147483648.0f)
        return INT_MAX;
    if (value <= -2147483648.0f)
        return INT_MIN;
    return static_cast<int>(value);
}

namespace {

void ApplyInfluence(Influence& influence, float time) {
    Gralith::Utils::SceneGraph::Animation* animation = influence.controller->animation;
    // Exactly as many floats as the target holds, whatever the animation's channel count.
    float values[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    if (influence.vectorTarget) {
        animation->Evaluate(time, values, 4);
        influence.vectorTarget->x = values[0];
        influence.vectorTarget->y = values[1];
        influence.vectorTarget->z = values[2];
        influence.vectorTarget->w = values[3];
    } else if (influence.floatTarget) {
        animation->Evaluate(time, influence.floatTarget, 1);
    } else if (influence.intTarget) {
        animation->Evaluate(time, values, 4);
        *influence.intTarget = TruncateToInt(values[0]);
    }
}

} // namespace

void RunTimeline(double time) {
    const float influenceTime = static_cast<float>(time);
    for (Influence* influence : Influences)
        ApplyInfluence(*influence, influenceTime);

    for (Effect* effect : Effects)
        effect->Update();

    for (Stage* stage : Stages) {
        for (const Block& block : *stage) {
            if (!block.IsActive(time))
                continue;
            Gralith::Graphics::Surface* colors[1] = {block.framebuffer->colorSurface};
            GraphicsDevice->SetRenderTargets(1, colors, block.framebuffer->depthSurface);
            block.effect->Render();
        }
    }
}

TimelineContents DetachTimeline() {
    TimelineContents contents{Effects, FailedEffects, Stages, Influences, Framebuffers};
    Effects.Clear();
    FailedEffects.Clear();
    Stages.Clear();
    Influences.Clear();
    Framebuffers.Clear();
    return contents;
}

void AttachTimeline(const TimelineContents& contents) {
    ResetTimeline();
    Effects = contents.effects;
    FailedEffects = contents.failedEffects;
    Stages = contents.stages;
    Influences = contents.influences;
    Framebuffers = contents.framebuffers;
}

void DeleteTimeline(TimelineContents& contents) {
    for (Influence* influence : contents.influences) {
        if (influence->controller) {
            if (influence->controller->animation)
                influence->controller->animation->Release();
            delete influence->controller;
        }
        delete influence;
    }
    for (Stage* stage : contents.stages)
        delete stage;
    for (Effect* effect : contents.effects)
        delete effect;
    for (Effect* effect : contents.failedEffects)
        delete effect;
    contents = TimelineContents();
}

void ResetTimeline() {
    TimelineContents contents = DetachTimeline();
    DeleteTimeline(contents);
}

} // namespace Velorin
