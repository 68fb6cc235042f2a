#pragma once

#include "gralith/sound/Device.h"
#include "gralith/sound/Mixer.h"
#include "gralith/utils/String.h"

namespace Gralith::Sound {

class SilentOutput;

/// The sound device on SDL 2: a software Mixer played from SDL's audio callback (44100 Hz
/// stereo). When no audio output can be opened (no sound card, no audio server) it falls back
/// to a silent output that keeps real time, so buffers and music positions still advance and the
/// show goes on without sound. SDL's own "dummy" driver is replaced by that silent output too:
/// it paces its callbacks with whole-millisecond sleeps and so runs about 2% off the clock.
class SDLSoundDevice : public Device {
public:
    enum Output {
        OutputAuto,   ///< SDL's audio output, else the silent one
        OutputSDL,    ///< SDL's audio output whatever its driver, or the creation fails
        OutputSilent, ///< the silent real-time output only
        OutputNone,   ///< no output: whoever renders calls GetMixer()->Mix (offline rendering, tests)
    };

    /// Throws "Unable to create sound device" (ErrorCreation) when not even the silent output starts, or
    /// when OutputSDL was asked for and SDL cannot open an output.
    explicit SDLSoundDevice(Output output = OutputAuto);
    ~SDLSoundDevice() override;

    /// Formats: 1-8 channels of 8, 16, 24 or 32-bit integer PCM at 100-200000 samples per second,
    /// at least one whole frame and at most 0x0FFFFFFF bytes.
    Buffer* CreateBuffer(int size, int channels, int bitsPerSample, int samplesPerSecond) override;

    Mixer* GetMixer() { return &mixer; }
    /// What plays the mix: "sdl:" + SDL's driver name, "silent" or "none".
    Utils::String GetOutputName() const { return outputName; }
    /// Why SDL's output could not be used, when the device fell back to the silent one.
    Utils::String GetFallbackReason() const { return fallbackReason; }
    bool IsSilent() const { return silent != nullptr; }

    static constexpr int OutputRate = 44100;
    /// Frames per mix: about 11.6 ms at 44100 Hz.
    static constexpr int ChunkFrames = 512;

private:
    bool OpenSDL(bool acceptDummy);
    static void Callback(void* device, unsigned char* stream, int length);

    // The callback's clock: when each chunk starts to be heard and how long a chunk lasts,
    // smoothed over callbacks, so one late or early callback does not jolt positions and an
    // output whose callbacks run at another pace than its rate still moves smoothly.
    static constexpr int CallbackHistory = 64;
    double chunkStart = 0.0;
    double chunkPeriod = 0.0;
    double callbackTimes[CallbackHistory] = {};
    int callbacks = 0;

    Mixer mixer;
    unsigned deviceId = 0;
    bool audioSubsystem = false;
    SilentOutput* silent = nullptr;
    Utils::String outputName;
    Utils::String fallbackReason;
};

} // namespace Gralith::Sound
