// halcyra-render run as a program on small scripts of its own, its output read back.

#include "tests/support/OggEncoder.h"
#include "tests/support/TempDirectory.h"
#include "tests/velorin/render/RenderTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

namespace {

using VelorinTest::Image;
using VelorinTest::ReadPng;
using VelorinTest::RunCommand;

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

    VelorinTest::Result Render(const std::string& arguments) {
        return RunCommand(std::string("'") + HALCYRA_RENDER + "' --data '" + data.Path() + "' " + arguments,
                          scratch.Path());
    }

    static void ExpectColour(const Image& image, int r, int g, int b, const std::string& what) {
        ASSERT_GT(image.width, 0) << what;
        // Corners and centre: the whole target is filled.
        for (auto [x, y] : {std::pair{0, 0},
                            {image.width - 1, 0},
                            {0, image.height - 1},
                            {image.width - 1, image.height - 1},
                            {image.width / 2, image.height / 2}}) {
            const std::uint8_t* p = image.At(x, y);
            EXPECT_NEAR(r, p[0], 1) << what << " at " << x << "," << y;
            EXPECT_NEAR(g, p[1], 1) << what << " at " << x << "," << y;
            EXPECT_NEAR(b, p[2], 1) << what << " at " << x << "," << y;
            EXPECT_EQ(255, p[3]) << what;
        }
    }

    GralithTest::TempDirectory data;
    GralithTest::TempDirectory scratch;
    GralithTest::TempDirectory output;
};

TEST_F(HalcyraRender, AtTimesShowTheBlocksActiveThen) {
    auto result = Render("--size 40x30 --at 0.5,2,3,4,7,2.999 --out '" + output / "shots" + "'");
    ASSERT_EQ(0, result.exitCode) << result.err;
    // No music in this data folder: said once, not an error.
    EXPECT_NE(std::string::npos, result.err.find("No music")) << result.err;

    Image ground = ReadPng(output / "shots/t000.500.png");
    EXPECT_EQ(40, ground.width);
    EXPECT_EQ(30, ground.height);
    ExpectColour(ground, 0, 0, 128, "0.5 s");
    ExpectColour(ReadPng(output / "shots/t002.000.png"), 255, 0, 0, "2 s");
    // Both ends are outside a block: at 3 s neither red nor green draws.
    ExpectColour(ReadPng(output / "shots/t003.000.png"), 0, 0, 128, "3 s");
    ExpectColour(ReadPng(output / "shots/t004.000.png"), 0, 255, 0, "4 s");
    ExpectColour(ReadPng(output / "shots/t007.000.png"), 128, 128, 128, "7 s (half-way through the fade)");
    ExpectColour(ReadPng(output / "shots/t002.999.png"), 255, 0, 0, "2.999 s");
}

TEST_F(HalcyraRender, OutsideEveryBlockTheTargetKeepsTheLastFrame) {
    // Nothing clears what no block draws: 11 s keeps the green of 4 s, 12 s the fade's white end
    // never shows because the fade is not active at 12 s either.
    auto result = Render("--size 8x8 --at 4,11 --out '" + output / "keep" + "'");
    ASSERT_EQ(0, result.exitCode) << result.err;
    ExpectColour(ReadPng(output / "keep/t011.000.png"), 0, 255, 0, "11 s after 4 s");
}

TEST_F(HalcyraRender, SameTimesGiveTheSameFiles) {
    ASSERT_EQ(0, Render("--size 16x16 --at 7.25 --out '" + output / "a" + "'").exitCode);
    ASSERT_EQ(0, Render("--size 16x16 --at 7.25 --out '" + output / "b" + "'").exitCode);
    Image a = ReadPng(output / "a/t007.250.png");
    Image b = ReadPng(output / "b/t007.250.png");
    ASSERT_GT(a.width, 0);
    EXPECT_EQ(a.rgba, b.rgba);
    EXPECT_NEAR(159, a.At(0, 0)[0], 1); // 0.625 of the way from black to white
}

TEST_F(HalcyraRender, ScriptErrorsPrintThePresentationsMessageAndExitOne) {
    data.Write("demo.xml", "<Demo><Effect Name=\"odd\"><Sparkle/></Effect></Demo>");
    auto result = Render("--size 8x8 --at 1 --out '" + output / "x" + "'");
    EXPECT_EQ(1, result.exitCode);
    EXPECT_EQ("Failed to load effect 'odd': Invalid effect class: Sparkle\n",
              result.err.substr(result.err.find("Failed")));
    EXPECT_FALSE(std::filesystem::exists(output / "x/t001.000.png"));

    data.Write("demo.xml", "<Demo><Effect Name=\"a\">");
    result = Render("--size 8x8 --at 1 --out '" + output / "x" + "'");
    EXPECT_EQ(1, result.exitCode);
    EXPECT_NE(std::string::npos, result.err.find("The following asset could not be loaded: demo.xml")) << result.err;

    std::filesystem::remove(data / "demo.xml");
    result = Render("--size 8x8 --at 1 --out '" + output / "x" + "'");
    EXPECT_EQ(1, result.exitCode);
    EXPECT_NE(std::string::npos, result.err.find("The following asset could not be loaded: demo.xml")) << result.err;
}

TEST_F(HalcyraRender, WrongCommandLineShowsUsage) {
    auto result = Render("--size 8 --at 1 --out x");
    EXPECT_EQ(2, result.exitCode);
    EXPECT_NE(std::string::npos, result.err.find("--size wants WxH")) << result.err;
    EXPECT_NE(std::string::npos, result.err.find("usage: halcyra-render")) << result.err;
}

TEST_F(HalcyraRender, HelpPrintsUsageAndSucceeds) {
    auto result = Render("--help");
    EXPECT_EQ(0, result.exitCode) << result.err;
    EXPECT_EQ(0u, result.out.find("usage: halcyra-render")) << result.out;
}

TEST_F(HalcyraRender, OneTimeIntoAPngPathWritesThatFile) {
    auto result = Render("--size 8x8 --at 2 --out '" + output / "shots/two.png" + "'");
    ASSERT_EQ(0, result.exitCode) << result.err;
    ASSERT_TRUE(std::filesystem::is_regular_file(output / "shots/two.png"));
    ExpectColour(ReadPng(output / "shots/two.png"), 255, 0, 0, "2 s");
}

TEST_F(HalcyraRender, FpsWritesNumberedFramesOfTheRange) {
    auto result = Render("--size 8x8 --fps 4 --from 0.5 --to 1.5 --out '" + output / "seq" + "'");
    ASSERT_EQ(0, result.exitCode) << result.err;
    // 0.5, 0.75 and 1.0 (red's start is outside its block) show the ground, 1.25 red; 1.5 is
    // the open end of the range.
    for (const char* name : {"seq/frame00000.png", "seq/frame00001.png", "seq/frame00002.png"})
        ExpectColour(ReadPng(output / name), 0, 0, 128, name);
    ExpectColour(ReadPng(output / "seq/frame00003.png"), 255, 0, 0, "1.25 s");
    EXPECT_FALSE(std::filesystem::exists(output / "seq/frame00004.png"));
}

TEST_F(HalcyraRender, VideoCarriesPictureAndMusic) {
    std::vector<float> samples(44100 * 2 * 2);
    for (size_t i = 0; i < samples.size() / 2; ++i)
        samples[2 * i] = samples[2 * i + 1] = 0.5f * static_cast<float>(std::sin(i * 2.0 * M_PI * 440.0 / 44100.0));
    data.Write("music/music.ogg", GralithTest::EncodeOgg(samples, 2, 44100));

    auto result = Render("--size 32x24 --fps 10 --from 1 --to 2 --out '" + output / "clip.mp4" + "'");
    ASSERT_EQ(0, result.exitCode) << result.err;
    EXPECT_EQ(std::string::npos, result.err.find("No music")) << result.err;
    auto probe = RunCommand("ffprobe -v error -show_entries stream=codec_type,width,height,nb_frames -of csv=p=0 '" +
                                output / "clip.mp4" + "'",
                            scratch.Path());
    ASSERT_EQ(0, probe.exitCode) << probe.err;
    EXPECT_NE(std::string::npos, probe.out.find("video,32,24,10")) << probe.out;
    EXPECT_NE(std::string::npos, probe.out.find("audio")) << probe.out;

    // The middle frame decoded back is red (1.5 s), up to the codec's loss.
    auto frame = RunCommand("ffmpeg -v error -ss 0.5 -i '" + output / "clip.mp4" +
                                "' -frames:v 1 -f rawvideo -pix_fmt rgb24 - | od -An -tu1 -w3 -v | sed -n 400p",
                            scratch.Path());
    int r = -1, g = -1, b = -1;
    ASSERT_EQ(3, std::sscanf(frame.out.c_str(), "%d %d %d", &r, &g, &b)) << frame.out << frame.err;
    EXPECT_GT(r, 200);
    EXPECT_LT(g, 60);
    EXPECT_LT(b, 60);
}

} // namespace

namespace {

TEST(HalcyraRenderExample, DocumentedExampleRendersAsDescribed) {
    GralithTest::TempDirectory output;
    auto result = RunCommand(std::string("'") + HALCYRA_RENDER + "' --data '" + GRALITH_TEST_SOURCE_DIR +
                                 "/docs/examples/sunrise' --size 32x20 --at 0.5,3.25,4.75 --out '" + output / "s" + "'",
                             output.Path());
    ASSERT_EQ(0, result.exitCode) << result.err;
    Image night = ReadPng(output / "s/t000.500.png");
    ASSERT_EQ(32, night.width);
    EXPECT_GT(night.At(5, 5)[2], night.At(5, 5)[0]); // blue above red: still night
    Image flash = ReadPng(output / "s/t003.250.png");
    ASSERT_GT(flash.width, 0);
    EXPECT_EQ(255, flash.At(16, 10)[0]);
    EXPECT_EQ(255, flash.At(16, 10)[1]);
    EXPECT_EQ(255, flash.At(16, 10)[2]);
    Image green = ReadPng(output / "s/t004.750.png");
    ASSERT_GT(green.width, 0);
    EXPECT_EQ(0, green.At(16, 10)[0]);
    EXPECT_EQ(255, green.At(16, 10)[1]);
    EXPECT_EQ(0, green.At(16, 10)[2]);
}

} // namespace
