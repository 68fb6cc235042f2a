#include "gralith/sound/sdl/SDLSoundDevice.h"

#include "gralith/Exception.h"
#include "gralith/sound/MixerVoice.h"
#include "gralith/sound/SilentOutput.h"
#include "gralith/sound/sdl/SDLSoundBuffer.h"
#include "gralith/utils/Timer.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <exception>
#include <new>

namespace Gralith::Sound {

namespace {

[[noreturn]] void BufferFailure(const char* reason) {
    throw Exception((Utils::String("Unable to create sound buffer (") + reason + ")").CStr());
}

} // namespace

SDLSoundDevice::SDLSoundDevice(Output output) : mixer(OutputRate), outputName("none") {
    if (output == OutputNone)
        return;
    if (output == OutputSDL) {
        if (!OpenSDL(true))
            throw Exception("Unable to create sound device", ErrorCreation);
        return;
    }
    if (output == OutputAuto && OpenSDL(false))
        return;
    try {
        silent = new SilentOutput(&mixer, ChunkFrames);
    } catch (const std::exception&) {
        throw Exception("Unable to create sound device", ErrorCreation);
    }
    outputName = "silent";
}

void SDLSoundDevice::Callback(void* user, unsigned char* stream, int length) {
    SDLSoundDevice* device = static_cast<SDLSoundDevice*>(user);
    int frames = length / static_cast<int>(2 * sizeof(float));
    double nominal = static_cast<double>(frames) / OutputRate;
    double now = Utils::GetTime();
    double predicted = device->chunkStart + device->chunkPeriod;
    double error = now - predicted;
    if (device->callbacks == 0 || std::fabs(error) > 4.0 * nominal) {
        // First callback, or a stall (a suspended process): start over from the clock.
        device->callbacks = 0;
        device->chunkStart = now;
        device->chunkPeriod = nominal;
    } else {
        // The period is the mean over the last callbacks; the start follows the clock gently.
        device->chunkStart = predicted + 0.1 * error;
        int span = std::min(device->callbacks, CallbackHistory - 1);
        double first = device->callbackTimes[(device->callbacks - span) % CallbackHistory];
        if (span >= 8)
            device->chunkPeriod = std::clamp((now - first) / span, 0.5 * nominal, 2.0 * nominal);
    }
    device->callbackTimes[device->callbacks % CallbackHistory] = now;
    ++device->callbacks;
    device->mixer.Mix(reinterpret_cast<float*>(stream), frames, device->chunkStart, device->chunkPeriod);
}

bool SDLSoundDevice::OpenSDL(bool acceptDummy) {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        fallbackReason = SDL_GetError();
        return false;
    }
    audioSubsystem = true;
    const char* driver = SDL_GetCurrentAudioDriver();
    if (!acceptDummy && driver && std::strcmp(driver, "dummy") == 0) {
        fallbackReason = "SDL's dummy audio driver does not keep time";
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        audioSubsystem = false;
        return false;
    }
    SDL_AudioSpec wanted;
    SDL_zero(wanted);
    wanted.freq = OutputRate;
    wanted.format = AUDIO_F32SYS;
    wanted.channels = 2;
    wanted.samples = ChunkFrames;
    wanted.callback = Callback;
    wanted.userdata = this;
    SDL_AudioSpec obtained;
    // No changes allowed: SDL converts to whatever the hardware takes.
    deviceId = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
    if (deviceId == 0) {
        fallbackReason = SDL_GetError();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        audioSubsystem = false;
        return false;
    }
    outputName = Utils::String("sdl:") + (driver ? driver : "");
    SDL_PauseAudioDevice(deviceId, 0);
    return true;
}

SDLSoundDevice::~SDLSoundDevice() {
    if (deviceId != 0)
        SDL_CloseAudioDevice(deviceId);
    if (audioSubsystem)
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    delete silent;
}

Buffer* SDLSoundDevice::CreateBuffer(int size, int channels, int bitsPerSample, int samplesPerSecond) {
    if (channels < 1 || channels > 8)
        BufferFailure("Bad format");
    if (bitsPerSample != 8 && bitsPerSample != 16 && bitsPerSample != 24 && bitsPerSample != 32)
        BufferFailure("Bad format");
    if (samplesPerSecond < 100 || samplesPerSecond > 200000)
        BufferFailure("Bad format");
    if (size <= 0 || size > 0x0FFFFFFF)
        BufferFailure("Invalid parameter");
    if (size < channels * bitsPerSample / 8)
        BufferFailure("Buffer too small");
    MixerVoice* voice;
    try {
        voice = mixer.CreateVoice(size, channels, bitsPerSample, samplesPerSecond);
    } catch (const std::bad_alloc&) {
        BufferFailure("Out of memory");
    }
    return new SDLSoundBuffer(this, voice, samplesPerSecond);
}

} // namespace Gralith::Sound
