#include "gralith/sound/sdl/SDLSoundDevice.h"

#include "gralith/Exception.h"
#include "gralith/sound/MixerVoice.h"
#include "gralith/sound/SilentOutput.h"
#include "gralith/sound/sdl/SDLSoundBuffer.h"
#include "gralith/utils/Timer.h"

#include <SDL.h>

#include <exception>
#include <new>

namespace Gralith::Sound {

namespace {

void AudioCallback(void* user, Uint8* stream, int length)
{
    Mixer* mixer = static_cast<Mixer*>(user);
    mixer->Mix(reinterpret_cast<float*>(stream), length / static_cast<int>(2 * sizeof(float)), Utils::GetTime());
}

[[noreturn]] void BufferFailure(const char* reason)
{
    throw Exception((Utils::String("Unable to create sound buffer (") + reason + ")").CStr());
}

} // namespace

SDLSoundDevice::SDLSoundDevice(Output output) : mixer(OutputRate), outputName("none")
{
    if (output == OutputNone)
        return;
    if (output == OutputAuto && OpenSDL())
        return;
    try {
        silent = new SilentOutput(&mixer, ChunkFrames);
    } catch (const std::exception&) {
        throw Exception("Unable to create sound device", 6);
    }
    outputName = "silent";
}

bool SDLSoundDevice::OpenSDL()
{
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        fallbackReason = SDL_GetError();
        return false;
    }
    audioSubsystem = true;
    SDL_AudioSpec wanted;
    SDL_zero(wanted);
    wanted.freq = OutputRate;
    wanted.format = AUDIO_F32SYS;
    wanted.channels = 2;
    wanted.samples = ChunkFrames;
    wanted.callback = AudioCallback;
    wanted.userdata = &mixer;
    SDL_AudioSpec obtained;
    // No changes allowed: SDL converts to whatever the hardware takes.
    deviceId = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
    if (deviceId == 0) {
        fallbackReason = SDL_GetError();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        audioSubsystem = false;
        return false;
    }
    const char* driver = SDL_GetCurrentAudioDriver();
    outputName = Utils::String("sdl:") + (driver ? driver : "");
    SDL_PauseAudioDevice(deviceId, 0);
    return true;
}

SDLSoundDevice::~SDLSoundDevice()
{
    if (deviceId != 0)
        SDL_CloseAudioDevice(deviceId);
    if (audioSubsystem)
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    delete silent;
}

Buffer* SDLSoundDevice::CreateBuffer(int size, int channels, int bitsPerSample, int samplesPerSecond)
{
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
