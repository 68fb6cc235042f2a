#include "gralith/sound/sdl/SDLSoundBuffer.h"
#include "gralith/sound/sdl/SDLSoundDevice.h"

#include "tests/gralith/utils/assets/loaders/LoaderTestSupport.h"
#include "tests/gralith/utils/assets/loaders/sound/WavFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using Gralith::Sound::SDLSoundBuffer;
using Gralith::Sound::SDLSoundDevice;
using Gralith::Utils::Assets::AssetSoundBuffer;
using Gralith::Utils::Assets::WrapperAsset;

namespace {

// 8-bit mono at the output rate: mixing reads the bytes back exactly.
class SoundBufferFiles : public GralithTest::FolderProxy<Gralith::Graphics::Device, SDLSoundDevice> {
protected:
    SoundBufferFiles() : FolderProxy(nullptr, new SDLSoundDevice(SDLSoundDevice::OutputNone)) {}

    SDLSoundBuffer* Get(const char* descriptor) {
        auto* asset = dynamic_cast<WrapperAsset<Gralith::Sound::Buffer*, AssetSoundBuffer>*>(
            proxy->Get(AssetSoundBuffer, descriptor, nullptr));
        return asset ? static_cast<SDLSoundBuffer*>(asset->GetValue()) : nullptr;
    }
};

} // namespace

TEST_F(SoundBufferFiles, BufferHoldsTheWaveItsFileNames) {
    std::string data = "\x90\xa0\xb0\xc0\x10\x20";
    folder.Write("click.wav", GralithTest::Wav(1, 44100, 8, data));
    SDLSoundBuffer* buffer = Get("click.wav");
    ASSERT_NE(nullptr, buffer);
    EXPECT_EQ(6, buffer->GetSize());
    EXPECT_EQ(1, buffer->GetChannels());
    EXPECT_EQ(8, buffer->GetBitsPerSample());
    EXPECT_EQ(44100, buffer->GetFrequency());

    buffer->Play(0);
    std::vector<float> out(2 * 6);
    soundDevice->GetMixer()->Mix(out.data(), 6, 0.0);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ((static_cast<unsigned char>(data[i]) - 128) / 128.0f, out[2 * i]) << "byte " << i;

    // The wave's own failure comes through the nested request.
    folder.Write("bad.wav", "RIFF");
    const std::string message = FailureOf(AssetSoundBuffer, "bad.wav");
    EXPECT_NE(std::string::npos, message.find("WavLoader: Invalid WAV-File! RIFF size missing")) << message;
}
