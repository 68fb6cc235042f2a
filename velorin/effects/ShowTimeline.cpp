#include "velorin/effects/ShowTimeline.h"

#include "velorin/effects/Motion.h"

#include <algorithm>
#include <cstdlib>

namespace Velorin::ShowTimeline {

namespace {

constexpr float At(double cue) { return static_cast<float>(cue); }

} // namespace

float Fade(float t) { return std::min(0.25f * t, 1.0f) * std::min(At(ShowCues::SceneFadedOut) - t, 1.0f); }

float GlowBoost(float t) {
    if (t < DropTime)
        return 15.0f;
    if (t > At(ShowCues::HeavyFrom) && t < At(ShowCues::HeavyTo))
        return 10.0f;
    return 1.0f;
}

float GlowStrength(float t, float bass) { return 0.5f + 8.0f * GlowBoost(t) * bass; }

float Flash(float t) {
    float sum = 0.0f;
    for (double cue : ShowCues::Flashes) {
        // The flash after the drop is the big one: slower up, much longer down.
        bool big = cue == ShowCues::LogoFlash;
        sum += Pulse(t, At(cue), big ? 0.4f : 0.2f, big ? 6.0f : 2.0f, 8.0f);
    }
    return sum;
}

float IntroAlpha(float t) { return std::clamp(5.0f - 0.5f * t, 0.0f, 1.0f) * std::min(0.25f * t, 1.0f); }

OverlayLayers SelectOverlay(float t) {
    OverlayLayers layers;
    if (t >= EndTime) {
        layers.kind = Overlay::Ended;
        return layers;
    }
    if (t <= At(ShowCues::LogoFlash)) {
        layers.kind = Overlay::Intro;
        layers.imageColor = IntroAlpha(t);
        return layers;
    }
    float b = 0.5f + 0.5f * Beat(t, 4.0f);
    if (t < At(ShowCues::SceneFlash)) {
        layers.kind = Overlay::Logo;
        layers.streakColor = b;
        layers.imageColor = 1.0f;
        return layers;
    }
    if (t < At(ShowCues::Title1)) {
        layers.kind = Overlay::None;
        return layers;
    }
    layers.kind = Overlay::Title;
    layers.title = 1;
    while (layers.title < 5 && t >= At(ShowCues::TitleStarts[layers.title]))
        ++layers.title;
    if (layers.title < 5) {
        layers.streakColor = b;
        layers.imageColor = 1.0f;
    } else {
        float a = std::min(At(ShowCues::TitleFadedOut) - t, 1.0f);
        layers.streakColor = a * b;
        layers.imageColor = a;
    }
    return layers;
}

bool StepCut(float& timer, float dt, float bass) {
    timer -= dt;
    if (timer < 0.0f && bass > 0.45f) {
        timer = 0.5f;
        return true;
    }
    return false;
}

void CutTrack::Restart() { *this = CutTrack(); }

float CutTrack::NextOffset() {
    // A generator of its own: the C library's rand() is shared with whatever else runs, and the
    // n-th cut must get the same offset however the show got there.
    random = random * 1664525u + 1013904223u;
    ++cuts;
    return static_cast<float>((random >> 8) / double(1u << 24) * 2.0 - 1.0) * 100.0f;
}

} // namespace Velorin::ShowTimeline
