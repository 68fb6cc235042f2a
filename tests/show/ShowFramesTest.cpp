// The shipped show rendered offline, one frame for each of its pictures, checked against its
// own images: where an overlay image is opaque the frame must show it, and where no layer
// reaches, the scene's fade decides the brightness. When each picture starts is decided and
// tested in ShowTimeline; the times here lie well inside.

#include "RenderTestSupport.h"

#include "tests/support/Process.h"
#include "tests/support/TempDirectory.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>

namespace {

using VelorinTest::Image;

// Frames are rendered at the size of the party logo, so each image texel lands on one window
// pixel; one run of the renderer makes every frame.
class ShowFrames : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        for (const char* needed : {"demo.xml", "scenes/halcyra2.fsg", "textures/logo.png", "music/music.ogg"})
            if (!std::filesystem::exists(std::string(HALCYRA_DATA) + "/" + needed))
                return;
        logo = Texture("logo.png");
        std::string list;
        for (double t : {0.0, 6.25, 15.05, 20.0, 31.0, 35.0, 39.0, 40.0, 42.0, 45.5, 47.0})
            list += (list.empty() ? "" : ",") + std::to_string(t);
        auto result = GralithTest::RunProcess(
            std::string("'") + HALCYRA_RENDER + "' --data '" + HALCYRA_DATA + "' --size " + std::to_string(logo.width) +
            "x" + std::to_string(logo.height) + " --at " + list + " --out '" + out.Path() + "'");
        EXPECT_EQ(0, result.status) << result.err;
    }
    void SetUp() override {
        if (logo.width == 0)
            GTEST_SKIP() << "the show's content is not built in " << HALCYRA_DATA;
    }

    static Image Frame(double t) {
        char name[32];
        std::snprintf(name, sizeof name, "/t%07.3f.png", t);
        Image image = VelorinTest::ReadPng(out / name);
        EXPECT_EQ(logo.width, image.width) << t;
        return image;
    }
    static Image Texture(const std::string& name) {
        return VelorinTest::ReadPng(std::string(HALCYRA_DATA) + "/textures/" + name);
    }

    static double Brightness(const std::uint8_t* p) { return (p[0] + p[1] + p[2]) / 3.0; }
    // Mean brightness of the frame over the pixels where select(x, y) holds.
    template <class Select>
    static double Mean(const Image& frame, Select select) {
        double sum = 0;
        long n = 0;
        for (int y = 0; y < frame.height; y += 2)
            for (int x = 0; x < frame.width; x += 2)
                if (select(x, y)) {
                    sum += Brightness(frame.At(x, y));
                    ++n;
                }
        EXPECT_GT(n, 0);
        return n ? sum / static_cast<double>(n) : -1.0;
    }

    static inline Image logo;
    static inline GralithTest::TempDirectory out;
};

TEST_F(ShowFrames, EachOverlayShowsItsOwnImageWhereItIsOpaque) {
    const std::pair<double, const char*> overlays[] = {{20.0, "logo.png"}, {31.0, "1.png"}, {35.0, "2.png"},
                                                       {39.0, "3.png"},    {42.0, "4.png"}, {45.5, "5.png"}};
    for (const auto& [t, name] : overlays) {
        Image frame = Frame(t), image = Texture(name);
        ASSERT_EQ(frame.width, image.width) << name << ": overlays are compared at the logo's size";
        double sum = 0;
        long n = 0;
        for (int y = 1; y + 1 < image.height; y += 2)
            for (int x = 1; x + 1 < image.width; x += 2)
                for (int c = 0; c < 3 && image.At(x, y)[3] == 255; ++c, ++n)
                    sum += std::abs(frame.At(x, y)[c] - image.At(x, y)[c]);
        ASSERT_GT(n, 0) << name;
        EXPECT_LT(sum / static_cast<double>(n), 6.0) << name << " at " << t << " s";
    }
}

TEST_F(ShowFrames, MakerLogoIsAddedDuringTheIntroZoom) {
    // At 6.25 s the logo fills the window exactly and is added at full strength.
    Image maker = Texture("varrow.png"), zoom = Frame(6.25);
    auto bright = [&](int x, int y) { return Brightness(maker.At(x, y)) * maker.At(x, y)[3] / 255.0 > 160; };
    auto dark = [&](int x, int y) { return maker.At(x, y)[3] == 0 || Brightness(maker.At(x, y)) < 10; };
    EXPECT_GT(Mean(zoom, bright) - Mean(zoom, dark), 150.0);
}

TEST_F(ShowFrames, BlackAtTheStartWhiteInTheFlashAndTheSceneFadesToBlack) {
    auto all = [](int, int) { return true; };
    EXPECT_LE(Mean(Frame(0.0), all), 1.0);
    EXPECT_GT(Mean(Frame(15.05), all), 200.0);
    Image streak = Texture("strek_blaa.png"), last = Texture("5.png");
    auto uncovered = [&](int x, int y) { return streak.At(x, y)[3] == 0 && last.At(x, y)[3] == 0; };
    EXPECT_GT(Mean(Frame(40.0), uncovered), 3.0);
    EXPECT_LE(Mean(Frame(47.0), uncovered), 1.0);
}

} // namespace
