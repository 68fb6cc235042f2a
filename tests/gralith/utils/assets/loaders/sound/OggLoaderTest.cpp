#include "gralith/utils/FileSystem.h"
#include "gralith/utils/MemoryInputStream.h"
#include "gralith/utils/assets/Proxy.h"
#include "gralith/utils/assets/loaders/OggStream.h"

#include "tests/gralith/utils/assets/loaders/LoaderTestSupport.h"
#include "tests/support/OggEncoder.h"
#include "tests/support/TempDirectory.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

using Gralith::Utils::Directory;
using Gralith::Utils::MemoryInputStream;
using Gralith::Utils::Assets::AssetAudioStream;
using Gralith::Utils::Assets::Proxy;
using Gralith::Utils::Assets::WrapperAsset;
using Gralith::Utils::Assets::Loaders::OggStream;
using GralithTest::Held;
using GralithTest::MessageOf;

namespace {

std::vector<float> Sine(int frames, int channels, int rate, double frequency) {
    std::vector<float> samples(static_cast<size_t>(frames) * channels);
    for (int i = 0; i < frames; ++i)
        for (int c = 0; c < channels; ++c)
            samples[static_cast<size_t>(i) * channels + c] =
                0.5f * static_cast<float>(std::sin(2.0 * 3.14159265358979 * frequency * (c + 1) * i / rate));
    return samples;
}

Held<OggStream> Open(const std::string& bytes) {
    Held<MemoryInputStream> stream(new MemoryInputStream(bytes.data(), static_cast<int>(bytes.size())));
    return Held<OggStream>(new OggStream(stream.get()));
}

} // namespace

TEST(OggStream, TruncatedFileDecodesWhatIsThere) {
    // Noise, so the audio pages outweigh the headers.
    std::mt19937 random(3);
    std::uniform_real_distribution<float> noise(-0.3f, 0.3f);
    std::vector<float> samples(2 * 3 * 44100);
    for (float& sample : samples)
        sample = noise(random);
    std::string ogg = GralithTest::EncodeOgg(samples, 2, 44100);
    Held<OggStream> stream = Open(ogg.substr(0, ogg.size() / 2));
    std::vector<float> out(2 * 4 * 44100);
    int frames = stream->Read(out.data(), 4 * 44100);
    EXPECT_GT(frames, 44100 / 2);
    EXPECT_LT(frames, 3 * 44100);
}

TEST(OggLoader, ProxyOpensTheFileAsAStream) {
    GralithTest::TempDirectory directory;
    directory.Write("music/tune.ogg", GralithTest::EncodeOgg(Sine(2000, 2, 44100, 440.0), 2, 44100));
    directory.Write("music/fake.ogg", "not a real file");
    Held<Directory> files(new Directory(directory.Path().c_str()));
    Held<Proxy> proxy(new Proxy(files.get(), nullptr, nullptr, nullptr));
    auto* asset = dynamic_cast<WrapperAsset<Gralith::Utils::Audio::Stream*, AssetAudioStream>*>(
        proxy->Get(AssetAudioStream, "tune.ogg{music}", nullptr));
    ASSERT_NE(nullptr, asset);
    EXPECT_EQ(14, asset->GetType());
    EXPECT_EQ(2, asset->GetValue()->GetChannels());
    std::vector<float> out(2 * 2100);
    EXPECT_EQ(2000, asset->GetValue()->Read(out.data(), 2100));
    EXPECT_EQ("The following asset could not be loaded: music/fake.ogg\n"
              "OggLoader: This does not appear to be an Ogg Stream\n",
              MessageOf([&] { proxy->Get(AssetAudioStream, "music/fake.ogg", nullptr); }));
}
