#include "velorin/render/PngWriter.h"

#include "tests/support/Expect.h"
#include "tests/support/TempDirectory.h"
#include "tests/velorin/render/RenderTestSupport.h"

#include <gtest/gtest.h>

namespace {

TEST(PngWriter, FirstRowOfTheFileIsTheTopOfTheFrame) {
    GralithTest::TempDirectory dir;
    // 2 x 2 as GL reads it, bottom row first: red, green; then blue, translucent white.
    const std::uint8_t pixels[] = {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255, 255, 255, 64};
    Velorin::WritePng(dir / "f.png", 2, 2, pixels);
    VelorinTest::Image image = VelorinTest::ReadPng(dir / "f.png");
    ASSERT_EQ(2, image.width);
    EXPECT_EQ(std::vector<std::uint8_t>({0, 0, 255, 255, 255, 255, 255, 64, 255, 0, 0, 255, 0, 255, 0, 255}),
              image.rgba);
    EXPECT_GRALITH_THROW(Velorin::WritePng("/nonexistent-folder/f.png", 1, 1, pixels),
                         "Unable to write PNG file: /nonexistent-folder/f.png", Gralith::ErrorGeneral);
}

} // namespace
