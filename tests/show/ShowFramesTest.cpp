// The shipped show rendered offline at chosen music times, checked against its own images:
// where an overlay image is opaque the frame must show it, and where no layer reaches, the
// scene's fade decides the brightness.

#include "RenderTestSupport.h"

#include "tests/support/TempDirectory.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <initializer_list>
#include <map>
#include <string>

namespace {

using VelorinTest::Image;
namespace fs = std::filesystem;

std::string FrameName(double t) {
    char name[32];
    std::snprintf(name, sizeof name, "t%07.3f.png", t);
    return name;
}

// Frames are rendered at the size of the party logo, so each image texel lands on one window
// pixel; one run of the renderer makes every frame the tests look at.
class ShowFrames : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        const fs::path data = HALCYRA_DATA;
        for (const char* needed :
             {"demo.xml", "scenes/halcyra2.fsg", "textures/logo.png", "textures/varrow.png", "music/music.ogg"})
            if (!fs::exists(data / needed)) {
                missing = (data / needed).string();
                return;
            }
        logo = VelorinTest::ReadPng((data / "textures/logo.png").string());
        out = new GralithTest::TempDirectory;
        Render({0.0, 6.25, 12.0, 14.0, 15.05, 20.0, 22.6, 31.0, 35.0, 39.0, 40.0, 42.0, 45.5, 47.0});
    }

    static void Render(std::initializer_list<double> times) {
        std::string list;
        for (double t : times)
            list += (list.empty() ? "" : ",") + std::to_string(t);
        auto result = VelorinTest::RunCommand(
            std::string("'") + HALCYRA_RENDER + "' --data '" + HALCYRA_DATA + "' --size " + std::to_string(logo.width) +
                "x" + std::to_string(logo.height) + " --at " + list + " --out '" + out->Path() + "'",
            out->Path());
        EXPECT_EQ(result.exitCode, 0) << result.err;
        for (double t : times)
            frames[t] = VelorinTest::ReadPng(out->Path() + "/" + FrameName(t));
    }
    static void TearDownTestSuite() { delete out; }

    void SetUp() override {
        if (!missing.empty())
            GTEST_SKIP() << "the show's content is not built: " << missing;
    }

    static const Image& Frame(double t) {
        const Image& image = frames[t];
        EXPECT_EQ(image.width, logo.width) << t;
        return image;
    }

    static Image Texture(const std::string& name) {
        Image image = VelorinTest::ReadPng(std::string(HALCYRA_DATA) + "/textures/" + name);
        EXPECT_EQ(image.width, logo.width) << name << ": overlays are compared at the logo's size";
        EXPECT_EQ(image.height, logo.height) << name;
        return image;
    }

    static double Brightness(const std::uint8_t* p) { return (p[0] + p[1] + p[2]) / 3.0; }

    // Mean brightness of the frame over the pixels where select(x, y) holds; -1 when none.
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
        return n ? sum / static_cast<double>(n) : -1.0;
    }

    // Mean absolute difference between frame and image over the image's opaque pixels.
    static double DifferenceWhereOpaque(const Image& frame, const Image& image) {
        double sum = 0;
        long n = 0;
        for (int y = 1; y + 1 < image.height; y += 2)
            for (int x = 1; x + 1 < image.width; x += 2) {
                if (image.At(x, y)[3] < 255)
                    continue;
                for (int c = 0; c < 3; ++c)
                    sum += std::abs(frame.At(x, y)[c] - image.At(x, y)[c]);
                n += 3;
            }
        EXPECT_GT(n, 0) << "the image has opaque pixels";
        return n ? sum / static_cast<double>(n) : 0.0;
    }

    static std::string missing;
    static Image logo;
    static GralithTest::TempDirectory* out;
    static std::map<double, Image> frames;
};

std::string ShowFrames::missing;
Image ShowFrames::logo;
GralithTest::TempDirectory* ShowFrames::out = nullptr;
std::map<double, Image> ShowFrames::frames;

TEST_F(ShowFrames, BlackAtTheStart) {
    const Image& frame = Frame(0.0);
    EXPECT_LE(Mean(frame, [](int, int) { return true; }), 1.0);
}

TEST_F(ShowFrames, MakerLogoShowsDuringTheIntroZoomAndIsGoneBy12Seconds) {
    // At 6.25 s the logo fills the window exactly and is added at full strength.
    Image maker = Texture("varrow.png");
    auto bright = [&](int x, int y) { return Brightness(maker.At(x, y)) * maker.At(x, y)[3] / 255.0 > 160; };
    auto dark = [&](int x, int y) { return maker.At(x, y)[3] == 0 || Brightness(maker.At(x, y)) < 10; };
    const Image& zoom = Frame(6.25);
    double contrast = Mean(zoom, bright) - Mean(zoom, dark);
    EXPECT_GT(Mean(zoom, bright), 150.0);
    const Image& later = Frame(12.0);
    EXPECT_LT(Mean(later, bright) - Mean(later, dark), contrast / 3.0);
}

TEST_F(ShowFrames, FlashAt15_05Brightens) {
    auto all = [](int, int) { return true; };
    EXPECT_GT(Mean(Frame(15.05), all), Mean(Frame(14.0), all) + 100.0);
    EXPECT_GT(Mean(Frame(15.05), all), 200.0);
}

TEST_F(ShowFrames, PartyLogoShowsBetween15_05And22_53) {
    EXPECT_LT(DifferenceWhereOpaque(Frame(20.0), logo), 6.0);
    EXPECT_GT(DifferenceWhereOpaque(Frame(22.6), logo), 20.0);
}

TEST_F(ShowFrames, EachTitleCardShowsInItsInterval) {
    const std::pair<double, const char*> cards[] = {
        {31.0, "1.png"}, {35.0, "2.png"}, {39.0, "3.png"}, {42.0, "4.png"}, {45.5, "5.png"}};
    for (size_t i = 0; i < 5; ++i) {
        Image card = Texture(cards[i].second);
        EXPECT_LT(DifferenceWhereOpaque(Frame(cards[i].first), card), 6.0) << cards[i].second;
        // During the next card this one is gone.
        if (i + 1 < 5) {
            EXPECT_GT(DifferenceWhereOpaque(Frame(cards[i + 1].first), card), 10.0) << cards[i].second;
        }
    }
}

TEST_F(ShowFrames, SceneFadesToBlackAfter46_49) {
    Image streak = Texture("strek_blaa.png");
    Image last = Texture("5.png");
    auto uncovered = [&](int x, int y) { return streak.At(x, y)[3] == 0 && last.At(x, y)[3] == 0; };
    EXPECT_GT(Mean(Frame(40.0), uncovered), 3.0);
    EXPECT_LE(Mean(Frame(47.0), uncovered), 1.0);
}

} // namespace
