#include "velorin/effects/ShowTimeline.h"

#include "velorin/effects/Motion.h"

#include <algorithm>
#include <cstdlib>

namespace Velorin::ShowTimeline {

namespace {

struct Accent {
    float time, before, after;
};

const Accent accents[] = {
    {15.05f, 0.4f, 6.0f}, {22.53f, 0.2f, 2.0f}, {30.04f, 0.2f, 2.0f}, {33.59f, 0.2f, 2.0f},
    {37.43f, 0.2f, 2.0f}, {41.21f, 0.2f, 2.0f}, {44.49f, 0.2f, 2.0f}, {44.9f, 0.2f, 2.0f},
};

// Title card n starts at titleStarts[n - 1] and lasts until the next start.
const float titleStarts[] = {30.04f, 33.59f, 37.43f, 41.21f, 44.49f};

} // namespace

float Fade(float t) { return std::min(0.25f * t, 1.0f) * std::min(46.49f - t, 1.0f); }

float GlowBoost(float t) {
    if (t < DropTime)
        return 15.0f;
    if (t > 42.71f && t < 44.49f)
        return 10.0f;
    return 1.0f;
}

float GlowStrength(float t, float bass) { return 0.5f + 8.0f * GlowBoost(t) * bass; }

float Flash(float t) {
    float sum = 0.0f;
    for (const Accent& a : accents)
        sum += Pulse(t, a.time, a.before, a.after, 8.0f);
    return sum;
}

float IntroAlpha(float t) { return std::clamp(5.0f - 0.5f * t, 0.0f, 1.0f) * std::min(0.25f * t, 1.0f); }

OverlayLayers SelectOverlay(float t) {
    OverlayLayers layers;
    if (t >= EndTime) {
        layers.kind = Overlay::Ended;
        return layers;
    }
    if (t <= 15.05f) {
        layers.kind = Overlay::Intro;
        layers.imageColor = IntroAlpha(t);
        return layers;
    }
    float b = 0.5f + 0.5f * Beat(t, 4.0f);
    if (t < 22.53f) {
        layers.kind = Overlay::Logo;
        layers.streakColor = b;
        layers.imageColor = 1.0f;
        return layers;
    }
    if (t < titleStarts[0]) {
        layers.kind = Overlay::None;
        return layers;
    }
    layers.kind = Overlay::Title;
    layers.title = 1;
    while (layers.title < 5 && t >= titleStarts[layers.title])
        ++layers.title;
    if (layers.title < 5) {
        layers.streakColor = b;
        layers.imageColor = 1.0f;
    } else {
        float a = std::min(47.49f - t, 1.0f);
        layers.streakColor = a * b;
        layers.imageColor = a;
    }
    return layers;
}

bool StepCut(float& timer, float& offset, float dt, float bass) {
    timer -= dt;
    if (timer < 0.0f && bass > 0.45f) {
        offset = SignedRandom() * 100.0f;
        timer = 0.5f;
        return true;
    }
    return false;
}

} // namespace Velorin::ShowTimeline
