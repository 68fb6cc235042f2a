// halcyra-render run as a program on small scripts of its own, its output read back.

#include "tests/support/OggEncoder.h"
#include "tests/support/Process.h"
#include "tests/support/TempDirectory.h"
#include "tests/velorin/render/RenderTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

namespace {

using VelorinTest::Image;
using VelorinTest::ReadPng;

// A dark blue ground from 0 to 10 s; red over it inside (1, 3), green inside (3, 5), a grey
// fade from black at 6 s to white at 8 s inside (6, 8).
const char* const colourScript = R"(<Demo>
  <Effect Name="ground"><ClearScreen><Color r="0" g="0" b="0.5" a="1"/></ClearScreen></Effect>
  <Effect Name="red"><ClearScreen><Color r="1" g="0" b="0" a="1"/></ClearScreen></Effect>
  <Effect Name="green"><ClearScreen><Color r="0" g="1" b="0" a="1"/></ClearScreen></Effect>
  <Effect Name="fade"><ClearScreen><Color><LinearKeys>
    <Key Time="6" r="0" g="0" b="0" a="1"/><Key Time="8" r="1" g="1" b="1" a="1"/>
  </LinearKeys></Color></ClearScreen></Effect>
  <Stage><Block Start="0" Length="10" Effect="ground"/></Stage>
  <Stage>
    <Block Start="1" Length="2" Effect="red"/>
    <Block Start="3" Length="2" Effect="green"/>
    <Block Start="6" Length="2" Effect="fade" RenderTarget="Backbuffer"/>
  </Stage>
</Demo>)";

class HalcyraRender : public ::testing::Test {
protected:
    void SetUp() override { data.Write("demo.xml", colourScript); }

    GralithTest::ProcessResult Render(const std::string& arguments) {
        return GralithTest::RunProcess(std::string("'") + HALCYRA_RENDER + "' --data '" + data.Path() + "' " +
                                       arguments);
    }

    // Corners and centre: the whole target is filled with the colour.
    static void ExpectColour(const std::string& path, int r, int g, int b) {
        Image image = ReadPng(path);
        ASSERT_GT(image.width, 0) << path;
        const int expected[4] = {r, g, b, 255};
        for (auto [x, y] : {std::pair{0, 0}, {image.width - 1, image.height - 1}, {image.width / 2, image.height / 2}})
            for (int c = 0; c < 4; ++c)
                EXPECT_NEAR(expected[c], image.At(x, y)[c], 1) << path << " at " << x << "," << y;
    }

    GralithTest::TempDirectory data;
    GralithTest::TempDirectory output;
};

TEST_F(HalcyraRender, AtTimesShowTheBlocksActiveThenAndOtherwiseKeepTheLastFrame) {
    // Where a block's ends lie is the timeline's; these times are well inside or outside.
    auto result = Render("--size 40x30 --at 0.5,2,4,11,7.25 --out '" + output / "shots" + "'");
    ASSERT_EQ(0, result.status) << result.err;
    EXPECT_NE(std::string::npos, result.err.find("No music")) << "said once, not an error: " << result.err;
    EXPECT_EQ(40, ReadPng(output / "shots/t000.500.png").width);
    const struct {
        const char* file;
        int r, g, b;
    } frames[] = {
        {"t000.500.png", 0, 0, 128},     {"t002.000.png", 255, 0, 0},
        {"t004.000.png", 0, 255, 0},     {"t011.000.png", 0, 255, 0}, // nothing clears what no block draws
        {"t007.250.png", 159, 159, 159},                              // 0.625 of the way from black to white
    };
    for (const auto& f : frames)
        ExpectColour(output / ("shots/" + std::string(f.file)), f.r, f.g, f.b);

    ASSERT_EQ(0, Render("--size 8x8 --at 2 --out '" + output / "one/two.png" + "'").status);
    ExpectColour(output / "one/two.png", 255, 0, 0);
}

TEST_F(HalcyraRender, FpsWritesNumberedFramesOfTheRange) {
    auto result = Render("--size 8x8 --fps 4 --from 0.5 --to 1.5 --out '" + output / "seq" + "'");
    ASSERT_EQ(0, result.status) << result.err;
    // 0.5, 0.75 and 1.0 (red's start is outside its block) show the ground, 1.25 red; 1.5 is
    // the open end of the range.
    for (const char* name : {"seq/frame00000.png", "seq/frame00001.png", "seq/frame00002.png"})
        ExpectColour(output / name, 0, 0, 128);
    ExpectColour(output / "seq/frame00003.png", 255, 0, 0);
    EXPECT_FALSE(std::filesystem::exists(output / "seq/frame00004.png"));
}

// Which errors a script can hold is the presentation's; the program prints the message it gets.
TEST_F(HalcyraRender, ScriptErrorsPrintThePresentationsMessageAndExitOne) {
    data.Write("demo.xml", "<Demo><Effect Name=\"odd\"><Sparkle/></Effect></Demo>");
    auto result = Render("--size 8x8 --at 1 --out '" + output / "x" + "'");
    EXPECT_EQ(1, result.status);
    EXPECT_NE(std::string::npos, result.err.find("Failed to load effect 'odd': Invalid effect class: Sparkle\n"))
        << result.err;
    EXPECT_FALSE(std::filesystem::exists(output / "x/t001.000.png"));
}

TEST_F(HalcyraRender, WrongCommandLineShowsUsageAndHelpSucceeds) {
    auto result = Render("--size 8 --at 1 --out x");
    EXPECT_EQ(2, result.status);
    EXPECT_NE(std::string::npos, result.err.find("halcyra-render: --size wants WxH")) << result.err;
    EXPECT_NE(std::string::npos, result.err.find("usage: halcyra-render")) << result.err;
    result = Render("--help");
    EXPECT_EQ(0, result.status) << result.err;
    EXPECT_EQ(0u, result.out.find("usage: halcyra-render")) << result.out;
}

TEST_F(HalcyraRender, VideoCarriesPictureAndMusic) {
    data.Write("music/music.ogg", GralithTest::EncodeOgg(GralithTest::Sine(2 * 44100, 2, 440, 0.5f), 2, 44100));

    auto result = Render("--size 32x24 --fps 10 --from 1 --to 2 --out '" + output / "clip.mp4" + "'");
    ASSERT_EQ(0, result.status) << result.err;
    EXPECT_EQ(std::string::npos, result.err.find("No music")) << result.err;
    auto probe = GralithTest::RunProcess(
        "ffprobe -v error -show_entries stream=codec_type,width,height,nb_frames -of csv=p=0 '" + output / "clip.mp4" +
        "'");
    EXPECT_NE(std::string::npos, probe.out.find("video,32,24,10")) << probe.out << probe.err;
    EXPECT_NE(std::string::npos, probe.out.find("audio")) << probe.out;
    // The middle frame decoded back is red (1.5 s), up to the codec's loss.
    auto frame =
        GralithTest::RunProcess("ffmpeg -v error -ss 0.5 -i '" + output / "clip.mp4" +
                                "' -frames:v 1 -f rawvideo -pix_fmt rgb24 - | od -An -tu1 -w3 -v | sed -n 400p");
    int r = -1, g = -1, b = -1;
    ASSERT_EQ(3, std::sscanf(frame.out.c_str(), "%d %d %d", &r, &g, &b)) << frame.out << frame.err;
    EXPECT_GT(r, 200);
    EXPECT_LT(g, 60);
    EXPECT_LT(b, 60);
}

TEST(HalcyraRenderExample, DocumentedExampleRendersAsDescribed) {
    GralithTest::TempDirectory output;
    auto result =
        GralithTest::RunProcess(std::string("'") + HALCYRA_RENDER + "' --data '" + GRALITH_TEST_SOURCE_DIR +
                                "/docs/examples/sunrise' --size 32x20 --at 0.5,3.25,4.75 --out '" + output / "s" + "'");
    ASSERT_EQ(0, result.status) << result.err;
    Image night = ReadPng(output / "s/t000.500.png");
    ASSERT_EQ(32, night.width);
    EXPECT_GT(night.At(5, 5)[2], night.At(5, 5)[0]); // blue above red: still night
    auto centre = [&](const char* file) {
        Image image = ReadPng(output / file);
        return image.width ? std::vector<std::uint8_t>(image.At(16, 10), image.At(16, 10) + 3)
                           : std::vector<std::uint8_t>();
    };
    EXPECT_EQ(std::vector<std::uint8_t>({255, 255, 255}), centre("s/t003.250.png"));
    EXPECT_EQ(std::vector<std::uint8_t>({0, 255, 0}), centre("s/t004.750.png"));
}

} // namespace
