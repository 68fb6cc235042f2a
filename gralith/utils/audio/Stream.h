#pragma once

#include "gralith/Object.h"

namespace Gralith::Utils::Audio {

/// A source of decoded audio: interleaved 32-bit float samples, GetChannels values per frame.
class Stream : public Object {
public:
    virtual int GetChannels() = 0;
    virtual int GetSampleRate() = 0;
    /// Fills out with up to frames frames; returns the frames delivered (fewer only at the end).
    virtual int Read(float* out, int frames) = 0;
};

} // namespace Gralith::Utils::Audio
