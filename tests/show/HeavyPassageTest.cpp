// The heavy passage of the real show, rendered offline: its boosted glow must light the frame
// on each kick and fall back between them, with the fourth card legible there. The measures
// themselves are checked first on drawn pictures whose answers are known.

#include "FrameMeasure.h"
#include "velorin/effects/ShowCues.h"

#include "tests/support/Process.h"
#include "tests/support/TempDirectory.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>

namespace {

using namespace Halcyra::Frames;
namespace Cues = Velorin::ShowCues;

Image Picture(int width, int height, const std::function<int(int x, int y)>& grey, int alpha = 255) {
    Image image{width, height, std::vector<std::uint8_t>(static_cast<size_t>(width) * height * 4)};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = &image.rgba[(static_cast<size_t>(y) * width + x) * 4];
            p[0] = p[1] = p[2] = static_cast<std::uint8_t>(grey(x, y));
            p[3] = static_cast<std::uint8_t>(grey(x, y) ? 255 : alpha);
        }
    return image;
}

TEST(FrameMeasure, ReadableShareFollowsTheContrastAroundTheLettersAndBrightnessCountsBlownOutPixels) {
    // One line of bar-shaped letters on a clear card, measured at half its size.
    auto letter = [](int x, int y) { return y >= 40 && y < 60 && x >= 40 && x < 160 && (x - 40) % 16 < 4; };
    const Image card = Picture(
        200, 100, [&](int x, int y) { return letter(x, y) ? 255 : 0; }, 0);
    const CardText text(card, 100, 50);
    const struct {
        const char* behind;
        std::function<int(int, int)> grey;
        double low, high;
    } cases[] = {
        {"black", [](int, int) { return 0; }, 1.0, 1.0},
        {"grey 128 (3.9:1)", [](int, int) { return 128; }, 1.0, 1.0},
        {"grey 180 (2.1:1)", [](int, int) { return 180; }, 0.0, 0.0},
        {"white", [](int, int) { return 255; }, 0.0, 0.0},
        {"black left, white right", [](int x, int) { return x < 50 ? 0 : 255; }, 0.35, 0.65},
    };
    for (const auto& c : cases) {
        const Image frame = Picture(100, 50, [&](int x, int y) { return letter(2 * x, 2 * y) ? 255 : c.grey(x, y); });
        EXPECT_GE(text.ReadableShare(frame), c.low) << c.behind;
        EXPECT_LE(text.ReadableShare(frame), c.high) << c.behind;
    }
    const Brightness half = MeasureBrightness(Picture(100, 50, [](int x, int) { return x < 50 ? 0 : 241; }));
    EXPECT_DOUBLE_EQ(0.5, half.brightFraction);
    EXPECT_NEAR(120.5, half.mean, 0.01);
    EXPECT_THROW(text.ReadableShare(Picture(50, 25, [](int, int) { return 0; })), std::runtime_error);
    EXPECT_THROW(CardText(Picture(
                              200, 100, [](int, int) { return 0; }, 0),
                          100, 50),
                 std::runtime_error);
}

TEST(HeavyPassage, IsLitOnEachKickAndFallsBackBetweenThemWithTheFourthCardLegible) {
    const std::string data = HALCYRA_DATA;
    for (const char* needed : {"demo.xml", "textures/4.png", "music/music.ogg"})
        if (!std::filesystem::exists(data + "/" + needed))
            GTEST_SKIP() << "the show's content is not built in " << data;
    // The kicks of beats 92 to 94 (the glow follows the lowest band just after a frame's time),
    // and half a beat after each of beats 91 to 94.
    const double beat = 60.0 / Cues::Tempo;
    std::vector<double> kicks, between;
    for (int b = 92; b <= 94; ++b)
        kicks.push_back(b * beat + 0.06);
    for (int b = 91; b <= 94; ++b)
        between.push_back((b + 0.5) * beat);
    ASSERT_GT(between.front(), Cues::HeavyFrom);
    ASSERT_LT(between.back(), Cues::HeavyTo);
    std::string list;
    for (double t : between)
        list += std::to_string(t) + ",";
    for (double t : kicks)
        list += std::to_string(t) + ",";
    list.pop_back();

    GralithTest::TempDirectory out;
    const int width = 512, height = 320;
    auto result = GralithTest::RunProcess(std::string("'") + HALCYRA_RENDER + "' --data '" + data + "' --size " +
                                          std::to_string(width) + "x" + std::to_string(height) + " --at " + list +
                                          " --out '" + out.Path() + "'");
    ASSERT_EQ(0, result.status) << result.err;
    auto frame = [&](double t) {
        char name[32];
        std::snprintf(name, sizeof name, "/t%07.3f.png", t);
        return ReadPng(out.Path() + name);
    };
    const CardText card(ReadPng(data + "/textures/4.png"), width, height);
    for (size_t i = 0; i < between.size(); ++i) {
        const Image calm = frame(between[i]);
        const Brightness b = MeasureBrightness(calm);
        EXPECT_LT(b.brightFraction, 0.3) << "flooded half a beat after a kick, at " << between[i] << " s";
        EXPECT_GE(card.ReadableShare(calm), LegibleShare) << "card 4 unreadable at " << between[i] << " s";
        if (i == 0)
            continue;
        // The glow follows the kick before this calm frame.
        EXPECT_GT(MeasureBrightness(frame(kicks[i - 1])).mean, 1.5 * b.mean)
            << "the kick at " << kicks[i - 1] << " s does not light the frame";
    }
}

} // namespace
