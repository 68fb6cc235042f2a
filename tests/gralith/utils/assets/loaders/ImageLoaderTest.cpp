#include "AllocationTracker.h"
#include "LoaderTestSupport.h"
#include "tests/support/ImageEncoding.h"

#include "gralith/utils/MemoryInputStream.h"
#include "gralith/utils/assets/Bitmap2D.h"
#include "gralith/utils/assets/loaders/JPEGLoader.h"
#include "gralith/utils/assets/loaders/PNGLoader.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <png.h>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>
#ifndef _WIN32
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

using namespace Gralith;
using namespace Gralith::Utils;
using namespace Gralith::Utils::Assets;
using namespace Gralith::Utils::Assets::Loaders;
using namespace GralithTest;

namespace {

constexpr std::size_t OneMiB = 1 << 20;

Held<Bitmap2D> Decode(Loader& loader, const Bytes& file) {
    MemoryInputStream stream(file.data(), int(file.size()));
    Asset* asset = nullptr;
    std::string failure = MessageOf([&] { asset = loader.Load(AssetBitmap2D, &stream, "image", nullptr); });
    EXPECT_EQ("", failure);
    EXPECT_TRUE(asset == nullptr || asset->GetType() == AssetBitmap2D);
    return Held<Bitmap2D>(static_cast<Bitmap2D*>(asset));
}

// The failure message, checking that the stream is back where decoding began.
std::string FailureOf(Loader& loader, const Bytes& file) {
    MemoryInputStream stream(file.data(), int(file.size()));
    std::string message = MessageOf([&] { Held<Asset>(loader.Load(AssetBitmap2D, &stream, "image", nullptr)); });
    EXPECT_EQ(0, stream.Tell()) << "stream position not restored after: " << message;
    return message;
}

// A valid 1x1 RGB file whose IHDR width and height are then replaced (with a correct CRC).
Bytes PngWithHeaderSize(std::uint32_t width, std::uint32_t height) {
    Bytes file = EncodePng(PngImage(1, 1, 2, 8, {1, 2, 3}));
    constexpr std::size_t ihdrType = 12; // signature (8) + length (4)
    for (int i = 0; i < 4; ++i) {
        file[ihdrType + 4 + i] = static_cast<unsigned char>(width >> (24 - 8 * i));
        file[ihdrType + 8 + i] = static_cast<unsigned char>(height >> (24 - 8 * i));
    }
    FixPngChunkCrc(file, ihdrType);
    return file;
}

// A valid 8x8 JPEG file whose frame header says width x height.
Bytes JpegWithFrameSize(int width, int height) {
    Bytes file = EncodeJpeg(8, 8, 3, Bytes(8 * 8 * 3, 50));
    std::size_t sof = 2;
    while (sof + 9 < file.size() && !(file[sof] == 0xFF && file[sof + 1] == 0xC0))
        ++sof;
    file[sof + 5] = static_cast<unsigned char>(height >> 8);
    file[sof + 6] = static_cast<unsigned char>(height);
    file[sof + 7] = static_cast<unsigned char>(width >> 8);
    file[sof + 8] = static_cast<unsigned char>(width);
    return file;
}

#ifndef _WIN32
// How far f makes resident memory grow, in KiB, measured in a child process so that the peak
// belongs to f alone (memory that libraries take with malloc escapes AllocationTracker).
long PeakGrowthKiB(const std::function<void()>& f) {
    int channel[2];
    if (pipe(channel) != 0)
        return -1;
    pid_t child = fork();
    if (child == 0) {
        long pages = 0, resident = 0;
        std::ifstream("/proc/self/statm") >> pages >> resident;
        try {
            f();
        } catch (...) {
        }
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        long growth = usage.ru_maxrss - resident * (sysconf(_SC_PAGESIZE) / 1024);
        _exit(write(channel[1], &growth, sizeof growth) == sizeof growth ? 0 : 1);
    }
    close(channel[1]);
    long growth = -1;
    if (child < 0 || read(channel[0], &growth, sizeof growth) != sizeof growth)
        growth = -1;
    close(channel[0]);
    if (child > 0)
        waitpid(child, nullptr, 0);
    return growth;
}
#endif

Bytes SolidRows(int width, int height, std::initializer_list<std::array<int, 3>> bands) {
    // Equal horizontal bands of solid colour, top band first.
    Bytes pixels;
    int bandHeight = height / int(bands.size());
    for (int y = 0; y < height; ++y) {
        const auto& colour = *(bands.begin() + y / bandHeight);
        for (int x = 0; x < width; ++x)
            for (int c : colour)
                pixels.push_back(static_cast<unsigned char>(c));
    }
    return pixels;
}

void ExpectNear(const Bitmap2D* bitmap, int x, int row, std::array<int, 4> expected, int tolerance) {
    const unsigned char* p = bitmap->GetPixels() + (std::size_t(row) * bitmap->GetWidth() + x) * 4;
    for (int c = 0; c < 4; ++c)
        EXPECT_NEAR(expected[c], p[c], tolerance) << "pixel " << x << "," << row << " channel " << c;
}

} // namespace

TEST(ImageLoaders, AbsurdHeaderSizeFailsWithoutLargeAllocation) {
    // Within the limits the tiny data gives the lie away; beyond them the size alone is named.
    PNGLoader png;
    JPEGLoader jpeg;
    for (auto [isPng, width, height, tooLarge] :
         std::vector<std::tuple<bool, std::uint32_t, std::uint32_t, bool>>{{true, 0x7FFFFFFF, 1, true},
                                                                           {true, 1, 0x7FFFFFFF, true},
                                                                           {true, 100000, 100000, true},
                                                                           {true, 16384, 16384, true},
                                                                           {true, 16385, 1, true},
                                                                           {true, 4097, 4096, true},
                                                                           {true, 4096, 4096, false},
                                                                           {true, 16384, 1024, false},
                                                                           {true, 0, 1, false},
                                                                           {false, 16000, 16000, true},
                                                                           {false, 65500, 65500, true},
                                                                           {false, 16385, 8, true},
                                                                           {false, 8, 16385, true},
                                                                           {false, 4097, 4096, true},
                                                                           {false, 4096, 4096, false},
                                                                           {false, 3000, 3000, false}}) {
        SCOPED_TRACE(testing::Message() << (isPng ? "PNG " : "JPEG ") << width << " x " << height);
        Bytes file = isPng ? PngWithHeaderSize(width, height) : JpegWithFrameSize(int(width), int(height));
        AllocationTracker tracker;
        EXPECT_EQ(tooLarge ? "Image too large: " + std::to_string(width) + " x " + std::to_string(height) +
                                 " pixels (the limit is 16777216 pixels, 16384 on either edge)"
                  : isPng ? "Not a PNG file"
                          : "Not a JPG file",
                  FailureOf(isPng ? static_cast<Loader&>(png) : jpeg, file));
        EXPECT_LT(tracker.Largest(), OneMiB);
    }
}

// --- PNG (decoded pixels: PngSuiteTest.cpp) ---------------------------------------------

TEST(PNGLoader, EveryTruncationFailsCleanly) {
    std::vector<unsigned> samples;
    for (int i = 0; i < 16 * 16 * 3; ++i)
        samples.push_back(unsigned(std::rand() % 256));
    Bytes file = EncodePng(PngImage(16, 16, 2, 8, samples));
    PNGLoader loader;
    for (std::size_t length = 0; length < file.size(); ++length) {
        Bytes cut(file.begin(), file.begin() + long(length));
        ASSERT_EQ("Not a PNG file", FailureOf(loader, cut)) << "cut at " << length << " of " << file.size();
    }
}

// Over the limits the header alone is refused (ImageLoaders.AbsurdHeaderSize...); a real file of
// the longest edge with as many pixels as allowed loads: a one-bit palette image of one colour.
TEST(PNGLoader, ImageAtTheLimitsLoads) {
    PngImage image(16384, 1024, 3, 1);
    image.palette = {9, 8, 7, 0, 0, 0};
    PNGLoader loader;
    auto bitmap = Decode(loader, EncodePng(image));
    ASSERT_TRUE(bitmap);
    EXPECT_EQ(16384, bitmap->GetWidth());
    EXPECT_EQ((Bytes{9, 8, 7, 255}), Bytes(bitmap->GetPixels(), bitmap->GetPixels() + 4));
}

TEST(PNGLoader, ChunkClaimingGigabytesFailsWithoutTakingThem) {
    // A valid header, then a chunk whose length field says 2 GiB in a file of a few dozen bytes.
    Bytes header = EncodePng(PngImage(1, 1, 2, 8, {1, 2, 3}));
    header.resize(33); // signature (8) and IHDR (25)
    PNGLoader loader;
    for (const char* type : {"tEXt", "zTXt", "iTXt", "iCCP", "pCAL", "sCAL", "sPLT", "eXIf", "gAMA"}) {
        SCOPED_TRACE(type);
        Bytes file = header;
        file.insert(file.end(), {0x7F, 0xFF, 0xFF, 0xFF});
        file.insert(file.end(), type, type + 4);
        file.insert(file.end(), {'a', 0, 'b', 'c'});
        EXPECT_EQ("Not a PNG file", FailureOf(loader, file));
#ifndef _WIN32 // the peak is measured in a forked child; Windows has no fork
        long growth = PeakGrowthKiB([&] { FailureOf(loader, file); });
        EXPECT_GE(growth, 0);
        EXPECT_LT(growth, 64 * 1024) << "KiB";
#endif
    }
}

// --- JPEG --------------------------------------------------------------------------------

TEST(JPEGLoader, ColourImageIsOpaqueRgbaWithTheBottomRowFirst) {
    JPEGLoader loader;
    for (bool progressive : {false, true}) {
        SCOPED_TRACE(progressive ? "progressive" : "baseline");
        auto bitmap =
            Decode(loader, EncodeJpeg(16, 32, 3, SolidRows(16, 32, {{255, 0, 0}, {0, 0, 255}}), 100, progressive));
        ASSERT_TRUE(bitmap);
        EXPECT_EQ(16, bitmap->GetWidth());
        EXPECT_EQ(32, bitmap->GetHeight());
        EXPECT_EQ(Graphics::PixelFormatR8G8B8A8, bitmap->GetFormat());
        // Rows next to the colour edge are blended by chroma upsampling; look further away.
        ExpectNear(bitmap.get(), 0, 0, {0, 0, 255, 255}, 3); // bottom of the image: blue
        ExpectNear(bitmap.get(), 15, 10, {0, 0, 255, 255}, 3);
        ExpectNear(bitmap.get(), 0, 21, {255, 0, 0, 255}, 3); // top: red
        ExpectNear(bitmap.get(), 15, 31, {255, 0, 0, 255}, 3);
        for (int i = 0; i < 16 * 32; ++i)
            ASSERT_EQ(255, bitmap->GetPixels()[i * 4 + 3]);
    }
}

TEST(JPEGLoader, EveryTruncationEitherFailsOrKeepsTheSize) {
    Bytes file = EncodeJpeg(24, 24, 3, SolidRows(24, 24, {{10, 200, 30}, {200, 10, 30}, {30, 10, 200}}), 80, true);
    JPEGLoader loader;
    for (std::size_t length = 0; length < file.size(); ++length) {
        Bytes cut(file.begin(), file.begin() + long(length));
        MemoryInputStream stream(cut.data(), int(cut.size()));
        try {
            Held<Asset> asset(loader.Load(AssetBitmap2D, &stream, "image", nullptr));
            ASSERT_TRUE(asset) << "cut at " << length;
            auto* bitmap = static_cast<Bitmap2D*>(asset.get());
            ASSERT_EQ(24, bitmap->GetWidth());
            ASSERT_EQ(24, bitmap->GetHeight());
        } catch (const Exception& e) {
            ASSERT_STREQ("Not a JPG file", e.GetMessage()) << "cut at " << length;
            ASSERT_EQ(0, stream.Tell());
        }
    }
}

TEST(JPEGLoader, ProgressiveFileWithThousandsOfScansIsRefused) {
    Bytes file = EncodeJpeg(64, 64, 3, Bytes(64 * 64 * 3, 120), 80, true);
    std::size_t lastScan = 0;
    for (std::size_t i = 0; i + 1 < file.size(); ++i)
        if (file[i] == 0xFF && file[i + 1] == 0xDA)
            lastScan = i;
    ASSERT_NE(0u, lastScan);
    ASSERT_EQ(0xD9, file.back());
    auto repeated = [&](int copies) {
        Bytes out(file.begin(), file.begin() + long(lastScan));
        for (int i = 0; i < copies; ++i)
            out.insert(out.end(), file.begin() + long(lastScan), file.end() - 2);
        out.insert(out.end(), {0xFF, 0xD9});
        return out;
    };
    // A repeated scan is only a warning for libjpeg: a few of them still decode.
    JPEGLoader loader;
    EXPECT_TRUE(Decode(loader, repeated(20)));
    EXPECT_EQ("Not a JPG file", FailureOf(loader, repeated(2000)));
}
