#include "gralith/sound/sdl/SDLSoundBuffer.h"
#include "gralith/sound/sdl/SDLSoundDevice.h"
#include "gralith/utils/FileSystem.h"
#include "gralith/utils/assets/Proxy.h"

#include "tests/gralith/utils/assets/loaders/LoaderTestSupport.h"
#include "tests/gralith/utils/assets/loaders/sound/WavFile.h"
#include "tests/support/TempDirectory.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using Gralith::Sound::SDLSoundBuffer;
using Gralith::Sound::SDLSoundDevice;
using Gralith::Utils::Directory;
using Gralith::Utils::InputStream;
using Gralith::Utils::String;
using Gralith::Utils::Assets::AssetSoundBuffer;
using Gralith::Utils::Assets::Proxy;
using Gralith::Utils::Assets::WrapperAsset;
using GralithTest::Held;
using GralithTest::MessageOf;

namespace {

// A directory that counts the files it opens.
class CountingDirectory : public Directory {
public:
    using Directory::Directory;
    InputStream* Open(String path) override {
        ++opened;
        return Directory::Open(path);
    }
    int opened = 0;
};

class SoundBufferFiles : public ::testing::Test {
protected:
    Held<Proxy> MakeProxy(bool withDevice) {
        return Held<Proxy>(new Proxy(files.get(), nullptr, withDevice ? device.get() : nullptr, nullptr));
    }

    SDLSoundBuffer* Get(Proxy* proxy, const char* descriptor) {
        auto* asset = dynamic_cast<WrapperAsset<Gralith::Sound::Buffer*, AssetSoundBuffer>*>(
            proxy->Get(AssetSoundBuffer, descriptor, nullptr));
        return asset ? static_cast<SDLSoundBuffer*>(asset->GetValue()) : nullptr;
    }

    GralithTest::TempDirectory directory;
    Held<CountingDirectory> files{new CountingDirectory(directory.Path().c_str())};
    Held<SDLSoundDevice> device{new SDLSoundDevice(SDLSoundDevice::OutputNone)};
};

} // namespace

TEST_F(SoundBufferFiles, BufferHoldsTheWaveAndIsCachedWithTheFileReadOnce) {
    // 8-bit mono at the output rate: mixing reads the bytes back exactly.
    std::string data = "\x90\xa0\xb0\xc0\x10\x20";
    directory.Write("click.wav", GralithTest::Wav(1, 44100, 8, data));
    Held<Proxy> proxy = MakeProxy(true);
    SDLSoundBuffer* buffer = Get(proxy.get(), "click.wav");
    ASSERT_NE(nullptr, buffer);
    EXPECT_EQ(Get(proxy.get(), "click.wav"), buffer);
    EXPECT_EQ(1, files->opened);
    EXPECT_EQ(6, buffer->GetSize());
    EXPECT_EQ(1, buffer->GetChannels());
    EXPECT_EQ(8, buffer->GetBitsPerSample());
    EXPECT_EQ(44100, buffer->GetFrequency());

    buffer->Play(0);
    std::vector<float> out(2 * 6);
    device->GetMixer()->Mix(out.data(), 6, 0.0);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ((static_cast<unsigned char>(data[i]) - 128) / 128.0f, out[2 * i]) << "byte " << i;
}

TEST_F(SoundBufferFiles, CorruptWaveIsReportedThroughTheNestedRequest) {
    directory.Write("bad.wav", "RIFF");
    Held<Proxy> proxy = MakeProxy(true);
    std::string message = MessageOf([&] { Get(proxy.get(), "bad.wav"); });
    EXPECT_NE(std::string::npos, message.find("WavLoader: Invalid WAV-File! RIFF size missing")) << message;
}
