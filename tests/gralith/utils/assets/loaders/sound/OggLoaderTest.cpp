#include "gralith/utils/MemoryInputStream.h"
#include "gralith/utils/assets/loaders/OggStream.h"

#include "tests/gralith/utils/assets/loaders/LoaderTestSupport.h"
#include "tests/support/OggEncoder.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using Gralith::Utils::MemoryInputStream;
using Gralith::Utils::Assets::AssetAudioStream;
using Gralith::Utils::Assets::WrapperAsset;
using Gralith::Utils::Assets::Loaders::OggStream;
using GralithTest::Held;

namespace {

// Noise, so the audio pages outweigh the headers.
std::vector<float> Noise(int frames, int channels) {
    std::mt19937 random(3);
    std::uniform_real_distribution<float> noise(-0.3f, 0.3f);
    std::vector<float> samples(static_cast<size_t>(frames) * channels);
    for (float& sample : samples)
        sample = noise(random);
    return samples;
}

} // namespace

TEST(OggStream, TruncatedFileDecodesWhatIsThere) {
    std::string ogg = GralithTest::EncodeOgg(Noise(3 * 44100, 2), 2, 44100);
    Held<MemoryInputStream> half(new MemoryInputStream(ogg.data(), static_cast<int>(ogg.size() / 2)));
    Held<OggStream> stream(new OggStream(half.get()));
    std::vector<float> out(2 * 4 * 44100);
    int frames = stream->Read(out.data(), 4 * 44100);
    EXPECT_GT(frames, 44100 / 2);
    EXPECT_LT(frames, 3 * 44100);
}

using OggFiles = GralithTest::FolderProxy<>;

TEST_F(OggFiles, ProxyOpensTheFileAsAStream) {
    folder.Write("music/tune.ogg", GralithTest::EncodeOgg(Noise(2000, 2), 2, 44100));
    folder.Write("music/fake.ogg", "not a real file");
    auto* asset = dynamic_cast<WrapperAsset<Gralith::Utils::Audio::Stream*, AssetAudioStream>*>(
        proxy->Get(AssetAudioStream, "tune.ogg{music}", nullptr));
    ASSERT_NE(nullptr, asset);
    EXPECT_EQ(14, asset->GetType());
    EXPECT_EQ(2, asset->GetValue()->GetChannels());
    std::vector<float> out(2 * 2100);
    EXPECT_EQ(2000, asset->GetValue()->Read(out.data(), 2100));
    EXPECT_EQ(std::string(GralithTest::LoadFailed) +
                  "music/fake.ogg\nOggLoader: This does not appear to be an Ogg Stream\n",
              FailureOf(AssetAudioStream, "music/fake.ogg"));
}
