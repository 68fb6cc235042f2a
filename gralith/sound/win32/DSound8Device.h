#pragma once

#include "gralith/sound/Device.h"

#include <string>

namespace Gralith::Sound {

/// The sound device on DirectSound 8: the default output, at priority cooperative level for a
/// window. DirectSound mixes the buffers in software on its own threads.
class DSound8Device : public Device {
public:
    /// window: the HWND whose focus the output follows; null for the desktop window. Throws
    /// "Unable to create sound device" (ErrorCreation) or "Unable to set cooperative level".
    explicit DSound8Device(void* window);
    ~DSound8Device() override;

    /// Integer PCM of 1 or 2 channels; throws "Unable to create sound buffer (...)" with the
    /// platform's reason.
    Buffer* CreateBuffer(int size, int channels, int bitsPerSample, int samplesPerSecond) override;

    /// The IDirectSound8 object.
    void* GetDirectSound() const { return directSound; }

    /// The message of a failed buffer creation with the platform's result code: the reason in
    /// brackets, or the code in hexadecimal for a code DirectSound does not document there.
    static std::string BufferFailureMessage(long result);

private:
    void* directSound = nullptr;
};

} // namespace Gralith::Sound
