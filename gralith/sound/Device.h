#pragma once

#include "gralith/Object.h"

namespace Gralith::Sound {

class Buffer;

/// A sound output that makes PCM buffers.
class Device : public Object {
public:
    /// A buffer of size bytes of integer PCM in the given format, carrying one reference for the
    /// caller. Throws "Unable to create sound buffer (...)" naming the reason.
    virtual Buffer* CreateBuffer(int size, int channels, int bitsPerSample, int samplesPerSecond) = 0;
};

} // namespace Gralith::Sound
