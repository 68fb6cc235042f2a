#pragma once

namespace Velorin {

class Effect;
struct Framebuffer;

/// One entry of a stage: during the open interval (start, start + length) of music time the
/// effect draws into the framebuffer.
struct Block {
    double start = 0.0;
    double length = 0.0;
    Effect* effect = nullptr;
    Framebuffer* framebuffer = nullptr;

    /// Both ends excluded, compared in 64-bit: a block of length 0 or less is never active.
    bool IsActive(double time) const { return start < time && time < start + length; }
};

} // namespace Velorin
