// The converted sample drawn by the show itself: halcyra-render on a data folder with the
// show's shaders and textures, a script of the scene effect alone and the converted scene in
// place of the show's. The room, scaled round the camera's path, must fill the frames with
// both colours of its checker texture.
#include "SampleScene.h"

#include "tests/support/Process.h"
#include "tests/support/TempDirectory.h"
#include "tests/velorin/render/RenderTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

TEST(FsgConvertRender, TheConvertedRoomShowsItsTextureInTheShow) {
    GralithTest::TempDirectory source, data, shots;
    std::string bin;
    source.Write("sample.gltf", FsgConvertTest::SampleGltf(bin));
    source.Write("sample.bin", bin);
    for (const char* folder : {"shaders", "textures"})
        std::filesystem::create_directory_symlink(std::string(HALCYRA_DATA) + "/" + folder, data / folder);
    data.Write("demo.xml", R"(<Demo><Effect Name="scene"><test01/></Effect>
      <Stage><Block Start="0" Length="60" Effect="scene"/></Stage></Demo>)");
    std::filesystem::create_directory(data / "scenes");
    // The camera flies 120 to 180 units from the origin: a room 500 units wide holds it.
    auto converted = GralithTest::RunProcess(std::string("'") + FSG_CONVERT + "' --up z --scale 250 '" +
                                             source / "sample.gltf" + "' '" + data / "scenes/halcyra2.fsg" + "'");
    ASSERT_EQ(0, converted.status) << converted.err;

    // Past the intro and the first flash, with no overlay picture.
    auto rendered = GralithTest::RunProcess(std::string("'") + HALCYRA_RENDER + "' --data '" + data.Path() +
                                            "' --size 160x100 --at 26,28 --out '" + shots.Path() + "'");
    ASSERT_EQ(0, rendered.status) << rendered.err;
    for (const char* frame : {"t026.000.png", "t028.000.png"}) {
        const VelorinTest::Image image = VelorinTest::ReadPng(shots / frame);
        ASSERT_EQ(160, image.width) << frame;
        int green = 0, blue = 0;
        for (int y = 0; y < image.height; ++y)
            for (int x = 0; x < image.width; ++x) {
                const std::uint8_t* p = image.At(x, y);
                green += p[1] > p[0] + 40 && p[1] > p[2] + 40;
                blue += p[2] > p[0] + 40 && p[2] > p[1] + 40;
            }
        const int pixels = image.width * image.height;
        EXPECT_GT(green, pixels / 6) << frame << ": " << green << " green pixels of " << pixels;
        EXPECT_GT(blue, pixels / 6) << frame << ": " << blue << " blue pixels of " << pixels;
    }
}

} // namespace
