#include "gralith/utils/assets/loaders/WavLoader.h"
#include "gralith/Exception.h"
#include "gralith/utils/MemoryInputStream.h"
#include "gralith/utils/assets/WaveData.h"

#include "tests/gralith/utils/assets/loaders/LoaderTestSupport.h"
#include "tests/gralith/utils/assets/loaders/sound/WavFile.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

using Gralith::Exception;
using Gralith::Utils::MemoryInputStream;
using Gralith::Utils::Assets::AssetWaveData;
using Gralith::Utils::Assets::WaveData;
using Gralith::Utils::Assets::Loaders::WavLoader;
using GralithTest::Chunk;
using GralithTest::Format;
using GralithTest::Held;
using GralithTest::MessageOf;
using GralithTest::Riff;
using GralithTest::U32;
using GralithTest::Wav;

namespace {

Held<WaveData> Parse(const std::string& bytes) {
    Held<MemoryInputStream> stream(new MemoryInputStream(bytes.data(), static_cast<int>(bytes.size())));
    return Held<WaveData>(WavLoader::Parse(stream.get(), "test.wav"));
}

std::string ParseMessage(const std::string& bytes) {
    return MessageOf([&] { Parse(bytes); });
}

const std::string Samples = std::string("\x01\x02\x03\x04\x05\x06\x07\x08", 8);

} // namespace

TEST(WavLoader, CanonicalFileYieldsItsFormatAndExactBytes) {
    Held<WaveData> wave = Parse(Wav(2, 44100, 16, Samples));
    EXPECT_EQ(AssetWaveData, wave->GetType());
    EXPECT_EQ(2, wave->GetChannels());
    EXPECT_EQ(16, wave->GetBitsPerSample());
    EXPECT_EQ(44100, wave->GetSampleRate());
    ASSERT_EQ(8, wave->GetSize());
    EXPECT_EQ(Samples, std::string(reinterpret_cast<const char*>(wave->GetData()), 8));
}

TEST(WavLoader, MalformedFilesFailWithClearMessages) {
    for (const std::string& bytes : {std::string(), std::string("RIF"), "RIFX" + U32(4) + "WAVE"})
        EXPECT_EQ("Invalid WAV-File! RIFF-header not found", ParseMessage(bytes));
    EXPECT_EQ("Invalid WAV-File! RIFF size missing", ParseMessage("RIFF\x01"));
    EXPECT_EQ("Invalid WAV-File! WAVE-header not found", ParseMessage("RIFF" + U32(4) + "AVI "));
    EXPECT_EQ("Invalid WAV-File! WAVE-header not found", ParseMessage("RIFF" + U32(4) + "WAV"));
    EXPECT_EQ("Invalid WAV-File! FORMAT-header not found", ParseMessage(Riff("")));
    EXPECT_EQ("Invalid WAV-File! FORMAT-header not found", ParseMessage(Riff(Chunk("data", Samples))));
    EXPECT_EQ("Invalid WAV-File! format chunk too short (10 bytes)",
              ParseMessage(Riff(Chunk("fmt ", std::string(10, '\1')))));
    EXPECT_EQ("Invalid WAV-File! format chunk runs past the end of the file",
              ParseMessage(Riff(Chunk("fmt ", Format(2, 44100, 16)).substr(0, 20))));
    EXPECT_EQ("Invalid WAV-File! the format has no channels",
              ParseMessage(Riff(Chunk("fmt ", Format(0, 44100, 16)) + Chunk("data", Samples))));
    EXPECT_EQ("Invalid WAV-File! the format's block alignment is 0",
              ParseMessage(Riff(Chunk("fmt ", Format(1, 44100, 4)) + Chunk("data", Samples))));
    EXPECT_EQ("Invalid WAV-File! DATA-chunk not found", ParseMessage(Riff(Chunk("fmt ", Format(2, 44100, 16)))));
    EXPECT_EQ("Invalid WAV-File! data chunk runs past the end of the file (1000 bytes declared, 8 present)",
              ParseMessage(Riff(Chunk("fmt ", Format(2, 44100, 16)) + "data" + U32(1000) + Samples)));
    // A huge chunk size must neither hang nor allocate: it is checked against the file.
    EXPECT_EQ("Invalid WAV-File! chunk 'LIST' runs past the end of the file",
              ParseMessage(Riff(Chunk("fmt ", Format(2, 44100, 16)) + "LIST" + U32(0xFFFFFFF0u) + Samples)));
    EXPECT_EQ("Invalid WAV-File! data chunk runs past the end of the file (4294967295 bytes declared, 0 present)",
              ParseMessage(Riff(Chunk("fmt ", Format(2, 44100, 16)) + "data" + U32(0xFFFFFFFFu))));
    EXPECT_EQ("Invalid WAV-File! chunk '?Ab?' runs past the end of the file",
              ParseMessage(Riff(Chunk("fmt ", Format(2, 44100, 16)) + std::string("\1Ab\xff", 4) + U32(99))));
}

TEST(WavLoader, EveryTruncationAndCorruptionFailsCleanly) {
    std::string file = Riff(Chunk("fmt ", Format(2, 44100, 16)) + Chunk("LIST", "info") + Chunk("data", Samples));
    for (size_t length = 0; length < file.size(); ++length) {
        std::string message = ParseMessage(file.substr(0, length));
        EXPECT_EQ(0u, message.rfind("Invalid WAV-File! ", 0)) << "length " << length << ": " << message;
    }
    std::mt19937 random(7);
    for (int round = 0; round < 2000; ++round) {
        std::string bad = file;
        for (int flips = 0; flips < 3; ++flips)
            bad[random() % bad.size()] = static_cast<char>(random());
        try {
            Held<WaveData> wave = Parse(bad);
            EXPECT_LE(wave->GetSize(), static_cast<int>(bad.size()));
        } catch (const Exception& e) {
            EXPECT_EQ(0u, std::string(e.GetMessage()).rfind("Invalid WAV-File! ", 0)) << e.GetMessage();
        }
    }
}
