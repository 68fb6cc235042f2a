#include "AllocationTracker.h"
#include "ImageEncoding.h"
#include "LoaderTestSupport.h"

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
#include <sys/resource.h>
#include <sys/wait.h>
#include <tuple>
#include <unistd.h>
#include <vector>

using namespace Gralith;
using namespace Gralith::Utils;
using namespace Gralith::Utils::Assets;
using namespace Gralith::Utils::Assets::Loaders;
using namespace GralithTest;

namespace {

constexpr std::size_t OneMiB = 1 << 20;

Bytes Rgba(std::initializer_list<int> values) {
    Bytes out;
    for (int v : values)
        out.push_back(static_cast<unsigned char>(v));
    return out;
}

// The bytes of one bitmap row as stored (row 0 = bottom of the image).
Bytes StoredRow(const Bitmap2D* bitmap, int row) {
    const unsigned char* p = bitmap->GetPixels() + std::size_t(row) * bitmap->GetWidth() * 4;
    return Bytes(p, p + bitmap->GetWidth() * 4);
}

Held<Bitmap2D> Decode(Loader& loader, const Bytes& file, int startOffset = 0) {
    MemoryInputStream stream(file.data(), int(file.size()));
    stream.Seek(0, startOffset);
    Asset* asset = nullptr;
    try {
        asset = loader.Load(AssetBitmap2D, &stream, "image", nullptr);
    } catch (const Exception& e) {
        ADD_FAILURE() << "decoding failed: " << e.GetMessage();
    }
    EXPECT_TRUE(asset == nullptr || asset->GetType() == AssetBitmap2D);
    return Held<Bitmap2D>(static_cast<Bitmap2D*>(asset));
}

// Loads from a stream positioned at startOffset and reports the failure message, checking that
// the stream is back where decoding began.
std::string FailureOf(Loader& loader, const Bytes& file, int startOffset = 0) {
    MemoryInputStream stream(file.data(), int(file.size()));
    stream.Seek(0, startOffset);
    std::string message = MessageOf([&] { Held<Asset>(loader.Load(AssetBitmap2D, &stream, "image", nullptr)); });
    EXPECT_EQ(startOffset, stream.Tell()) << "stream position not restored after: " << message;
    return message;
}

PngImage Png(int width, int height, int colorType, int bitDepth, std::vector<unsigned> samples) {
    PngImage image;
    image.width = width;
    image.height = height;
    image.colorType = colorType;
    image.bitDepth = bitDepth;
    image.samples = std::move(samples);
    return image;
}

// A valid 1x1 RGB file whose IHDR width and height are then replaced (with a correct CRC).
Bytes PngWithHeaderSize(std::uint32_t width, std::uint32_t height) {
    Bytes file = EncodePng(Png(1, 1, 2, 8, {1, 2, 3}));
    constexpr std::size_t ihdrType = 12; // signature (8) + length (4)
    for (int i = 0; i < 4; ++i) {
        file[ihdrType + 4 + i] = static_cast<unsigned char>(width >> (24 - 8 * i));
        file[ihdrType + 8 + i] = static_cast<unsigned char>(height >> (24 - 8 * i));
    }
    FixPngChunkCrc(file, ihdrType);
    return file;
}

const std::string LimitText = "(the limit is 16777216 pixels, 16384 on either edge)";

// A one-bit palette image of a single colour (9, 8, 7), written row by row: a few dozen
// kilobytes however large it is.
Bytes BlankOneBitPng(std::uint32_t width, std::uint32_t height) {
    Bytes out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        throw std::runtime_error("libpng could not write the test image");
    }
    png_set_write_fn(
        png, &out,
        [](png_structp p, png_bytep data, png_size_t length) {
            auto* bytes = static_cast<Bytes*>(png_get_io_ptr(p));
            bytes->insert(bytes->end(), data, data + length);
        },
        nullptr);
    png_set_IHDR(png, info, width, height, 1, PNG_COLOR_TYPE_PALETTE, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_color palette[2] = {{9, 8, 7}, {0, 0, 0}};
    png_set_PLTE(png, info, palette, 2);
    png_set_compression_level(png, 9);
    png_write_info(png, info);
    Bytes row((width + 7) / 8, 0);
    for (std::uint32_t y = 0; y < height; ++y)
        png_write_row(png, row.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

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

// --- PNG ---------------------------------------------------------------------------------

TEST(PNGLoader, RgbaKeepsItsBytesAndStoresTheBottomRowFirst) {
    PNGLoader loader;
    auto bitmap = Decode(loader, EncodePng(Png(2, 3, 6, 8,
                                               {
                                                   1,  2,  3,  4,  5,  6,  7,  8,  // top
                                                   9,  10, 11, 12, 13, 14, 15, 16, // middle
                                                   17, 18, 19, 20, 21, 22, 23, 0,  // bottom
                                               })));
    ASSERT_TRUE(bitmap);
    EXPECT_EQ(2, bitmap->GetWidth());
    EXPECT_EQ(3, bitmap->GetHeight());
    EXPECT_EQ(Graphics::PixelFormatR8G8B8A8, bitmap->GetFormat());
    EXPECT_EQ(String("image"), bitmap->GetName());
    EXPECT_EQ(Rgba({17, 18, 19, 20, 21, 22, 23, 0}), StoredRow(bitmap.get(), 0));
    EXPECT_EQ(Rgba({9, 10, 11, 12, 13, 14, 15, 16}), StoredRow(bitmap.get(), 1));
    EXPECT_EQ(Rgba({1, 2, 3, 4, 5, 6, 7, 8}), StoredRow(bitmap.get(), 2));
}

TEST(PNGLoader, RgbWithoutTransparencyGetsOpaqueAlpha) {
    PNGLoader loader;
    auto bitmap = Decode(loader, EncodePng(Png(3, 2, 2, 8,
                                               {
                                                   10,
                                                   20,
                                                   30,
                                                   40,
                                                   50,
                                                   60,
                                                   70,
                                                   80,
                                                   90,
                                                   11,
                                                   21,
                                                   31,
                                                   41,
                                                   51,
                                                   61,
                                                   71,
                                                   81,
                                                   91,
                                               })));
    ASSERT_TRUE(bitmap);
    EXPECT_EQ(Rgba({11, 21, 31, 255, 41, 51, 61, 255, 71, 81, 91, 255}), StoredRow(bitmap.get(), 0));
    EXPECT_EQ(Rgba({10, 20, 30, 255, 40, 50, 60, 255, 70, 80, 90, 255}), StoredRow(bitmap.get(), 1));
}

TEST(PNGLoader, TransparencyChunkOnRgbBecomesPerPixelAlpha) {
    PngImage image = Png(3, 1, 2, 8, {10, 20, 30, 10, 20, 31, 10, 20, 30});
    image.transparency = {10, 20, 30};
    PNGLoader loader;
    auto bitmap = Decode(loader, EncodePng(image));
    ASSERT_TRUE(bitmap);
    EXPECT_EQ(Rgba({10, 20, 30, 0, 10, 20, 31, 255, 10, 20, 30, 0}), StoredRow(bitmap.get(), 0));
}

TEST(PNGLoader, TwoBitPaletteExpandsThroughPaletteAndTransparency) {
    PngImage image = Png(5, 2, 3, 2, {0, 1, 2, 3, 0, 3, 3, 2, 1, 0});
    image.palette = {255, 0, 0, 0, 255, 0, 0, 0, 255, 7, 8, 9};
    image.transparency = {0, 128}; // entries 2 and 3 stay opaque
    PNGLoader loader;
    auto bitmap = Decode(loader, EncodePng(image));
    ASSERT_TRUE(bitmap);
    EXPECT_EQ(5, bitmap->GetWidth());
    EXPECT_EQ(Rgba({255, 0, 0, 0, 0, 255, 0, 128, 0, 0, 255, 255, 7, 8, 9, 255, 255, 0, 0, 0}),
              StoredRow(bitmap.get(), 1));
    EXPECT_EQ(Rgba({7, 8, 9, 255, 7, 8, 9, 255, 0, 0, 255, 255, 0, 255, 0, 128, 255, 0, 0, 0}),
              StoredRow(bitmap.get(), 0));
}

TEST(PNGLoader, EveryTruncationFailsCleanly) {
    std::vector<unsigned> samples;
    for (int i = 0; i < 16 * 16 * 3; ++i)
        samples.push_back(unsigned(std::rand() % 256));
    Bytes file = EncodePng(Png(16, 16, 2, 8, samples));
    PNGLoader loader;
    for (std::size_t length = 0; length < file.size(); ++length) {
        Bytes cut(file.begin(), file.begin() + long(length));
        ASSERT_EQ("Not a PNG file", FailureOf(loader, cut)) << "cut at " << length << " of " << file.size();
    }
}

TEST(PNGLoader, AbsurdHeaderSizeFailsWithoutLargeAllocation) {
    // Within the limits the tiny data gives the lie away; beyond them the size alone is named.
    PNGLoader loader;
    for (auto [width, height, message] : std::vector<std::tuple<std::uint32_t, std::uint32_t, std::string>>{
             {0x7FFFFFFF, 1, "Image too large: 2147483647 x 1 pixels " + LimitText},
             {1, 0x7FFFFFFF, "Image too large: 1 x 2147483647 pixels " + LimitText},
             {100000, 100000, "Image too large: 100000 x 100000 pixels " + LimitText},
             {16384, 16384, "Image too large: 16384 x 16384 pixels " + LimitText},
             {16385, 1, "Image too large: 16385 x 1 pixels " + LimitText},
             {4097, 4096, "Image too large: 4097 x 4096 pixels " + LimitText},
             {4096, 4096, "Not a PNG file"},
             {16384, 1024, "Not a PNG file"},
             {0, 1, "Not a PNG file"}}) {
        SCOPED_TRACE(testing::Message() << width << " x " << height);
        Bytes file = PngWithHeaderSize(width, height);
        AllocationTracker tracker;
        EXPECT_EQ(message, FailureOf(loader, file));
        EXPECT_LT(tracker.Largest(), OneMiB);
    }
}

TEST(PNGLoader, WellCompressedImageOverThePixelLimitIsRefusedBeforeDecoding) {
    // 32 KB of honest data that would decode into a 1 GiB bitmap.
    Bytes file = BlankOneBitPng(16384, 16384);
    EXPECT_LT(file.size(), 64u * 1024u);
    PNGLoader loader;
    AllocationTracker tracker;
    EXPECT_EQ("Image too large: 16384 x 16384 pixels " + LimitText, FailureOf(loader, file));
    EXPECT_LT(tracker.Largest(), OneMiB);

    // The longest edge with as many pixels as allowed still loads.
    auto bitmap = Decode(loader, BlankOneBitPng(16384, 1024));
    ASSERT_TRUE(bitmap);
    EXPECT_EQ(16384, bitmap->GetWidth());
    EXPECT_EQ(Rgba({9, 8, 7, 255}), Bytes(bitmap->GetPixels(), bitmap->GetPixels() + 4));
}

TEST(PNGLoader, ChunkClaimingGigabytesFailsWithoutTakingThem) {
    // A valid header, then a chunk whose length field says 2 GiB in a file of a few dozen bytes.
    Bytes header = EncodePng(Png(1, 1, 2, 8, {1, 2, 3}));
    header.resize(33); // signature (8) and IHDR (25)
    PNGLoader loader;
    for (const char* type : {"tEXt", "zTXt", "iTXt", "iCCP", "pCAL", "sCAL", "sPLT", "eXIf", "gAMA"}) {
        SCOPED_TRACE(type);
        Bytes file = header;
        file.insert(file.end(), {0x7F, 0xFF, 0xFF, 0xFF});
        file.insert(file.end(), type, type + 4);
        file.insert(file.end(), {'a', 0, 'b', 'c'});
        EXPECT_EQ("Not a PNG file", FailureOf(loader, file));
        long growth = PeakGrowthKiB([&] { FailureOf(loader, file); });
        EXPECT_GE(growth, 0);
        EXPECT_LT(growth, 64 * 1024) << "KiB";
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

TEST(JPEGLoader, AbsurdHeaderSizeFailsWithoutLargeAllocation) {
    Bytes file = EncodeJpeg(8, 8, 3, Bytes(8 * 8 * 3, 50));
    std::size_t sof = 0;
    for (std::size_t i = 2; i + 1 < file.size(); ++i)
        if (file[i] == 0xFF && file[i + 1] == 0xC0) {
            sof = i;
            break;
        }
    ASSERT_NE(0u, sof);
    JPEGLoader loader;
    for (auto [width, height, message] : std::vector<std::tuple<int, int, std::string>>{
             {16000, 16000, "Image too large: 16000 x 16000 pixels " + LimitText},
             {65500, 65500, "Image too large: 65500 x 65500 pixels " + LimitText},
             {16385, 8, "Image too large: 16385 x 8 pixels " + LimitText},
             {8, 16385, "Image too large: 8 x 16385 pixels " + LimitText},
             {4097, 4096, "Image too large: 4097 x 4096 pixels " + LimitText},
             {4096, 4096, "Not a JPG file"},
             {3000, 3000, "Not a JPG file"}}) {
        SCOPED_TRACE(testing::Message() << width << " x " << height);
        Bytes patched = file;
        patched[sof + 5] = static_cast<unsigned char>(height >> 8);
        patched[sof + 6] = static_cast<unsigned char>(height);
        patched[sof + 7] = static_cast<unsigned char>(width >> 8);
        patched[sof + 8] = static_cast<unsigned char>(width);
        AllocationTracker tracker;
        EXPECT_EQ(message, FailureOf(loader, patched));
        EXPECT_LT(tracker.Largest(), OneMiB);
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
