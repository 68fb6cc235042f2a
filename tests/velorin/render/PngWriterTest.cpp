#include "velorin/render/PngWriter.h"

#include "gralith/Exception.h"
#include "tests/support/TempDirectory.h"
#include "tests/velorin/render/RenderTestSupport.h"

#include <gtest/gtest.h>

namespace {

TEST(PngWriter, FirstRowOfTheFileIsTheTopOfTheFrame) {
    GralithTest::TempDirectory dir;
    // 3 x 2, bottom row (read first from GL) red and opaque, top row translucent blue.
    std::uint8_t pixels[3 * 2 * 4];
    for (int x = 0; x < 3; ++x) {
        std::uint8_t* bottom = pixels + x * 4;
        std::uint8_t* top = pixels + 12 + x * 4;
        bottom[0] = 255, bottom[1] = 0, bottom[2] = static_cast<std::uint8_t>(x), bottom[3] = 255;
        top[0] = 0, top[1] = 0, top[2] = 255, top[3] = 64;
    }
    Velorin::WritePng(dir / "f.png", 3, 2, pixels);
    VelorinTest::Image image = VelorinTest::ReadPng(dir / "f.png");
    ASSERT_EQ(3, image.width);
    ASSERT_EQ(2, image.height);
    EXPECT_EQ(255, image.At(0, 0)[2]);
    EXPECT_EQ(64, image.At(2, 0)[3]);
    EXPECT_EQ(255, image.At(1, 1)[0]);
    EXPECT_EQ(2, image.At(2, 1)[2]);
}

TEST(PngWriter, UnwritablePathIsAnException) {
    std::uint8_t pixel[4] = {};
    try {
        Velorin::WritePng("/nonexistent-folder/f.png", 1, 1, pixel);
        FAIL() << "no exception";
    } catch (const Gralith::Exception& e) {
        EXPECT_STREQ("Unable to write PNG file: /nonexistent-folder/f.png", e.GetMessage());
    }
    EXPECT_THROW(Velorin::WritePng("/tmp/x.png", 0, 1, pixel), Gralith::Exception);
}

} // namespace
