// libFuzzer target: a wave file from arbitrary bytes. What parses is then handed to the sound
// device as a buffer and mixed for a few chunks, the way a loaded sound is played, so a format
// that the parser accepts but the mixer mishandles is caught too.
#include "gralith/Exception.h"
#include "gralith/sound/Buffer.h"
#include "gralith/sound/sdl/SDLSoundDevice.h"
#include "gralith/utils/MemoryInputStream.h"
#include "gralith/utils/assets/WaveData.h"
#include "gralith/utils/assets/loaders/WavLoader.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace Gralith;
    using namespace Gralith::Utils;
    static Sound::SDLSoundDevice* device = new Sound::SDLSoundDevice(Sound::SDLSoundDevice::OutputNone);
    if (size > (1u << 24))
        return 0;
    MemoryInputStream stream(data, int(size));
    Assets::WaveData* wave;
    try {
        wave = Assets::Loaders::WavLoader::Parse(&stream, "fuzz.wav");
    } catch (const Exception&) {
        return 0;
    }
    // The samples can only come from the file: never more than it holds.
    if (wave->GetSize() < 0 || std::size_t(wave->GetSize()) > size)
        std::abort();
    if (wave->GetSize() > 0) {
        volatile unsigned char last = wave->GetData()[wave->GetSize() - 1];
        (void)last;
    }
    try {
        Sound::Buffer* buffer =
            device->CreateBuffer(wave->GetSize(), wave->GetChannels(), wave->GetBitsPerSample(), wave->GetSampleRate());
        buffer->SetData(wave->GetData(), 0, wave->GetSize());
        buffer->Play(0);
        float out[2 * Sound::SDLSoundDevice::ChunkFrames];
        const double chunk = double(Sound::SDLSoundDevice::ChunkFrames) / Sound::SDLSoundDevice::OutputRate;
        for (int i = 0; i < 4; ++i)
            device->GetMixer()->Mix(out, Sound::SDLSoundDevice::ChunkFrames, i * chunk, chunk);
        buffer->Release();
    } catch (const Exception&) {
        // A format the device does not play is refused with a message, not mixed.
    }
    wave->Release();
    return 0;
}
