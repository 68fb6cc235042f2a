#include "velorin/render/RenderOptions.h"

#include <gtest/gtest.h>

namespace {

using Velorin::ParseRenderOptions;
using Velorin::PlanFrames;
using Velorin::RenderOptions;
using Velorin::UsageError;

std::string UsageMessage(const std::vector<std::string>& arguments) {
    try {
        ParseRenderOptions(arguments);
    } catch (const UsageError& e) {
        return e.what();
    }
    return "(accepted)";
}

TEST(RenderOptions, ReadsEveryOption) {
    RenderOptions o = ParseRenderOptions({"--data", "d", "--size", "320x200", "--aspect", "1.333", "--fps", "25",
                                          "--from", "2", "--to", "3.5", "--out", "v.webm"});
    EXPECT_EQ("d", o.dataDirectory);
    EXPECT_EQ(320, o.width);
    EXPECT_EQ(200, o.height);
    EXPECT_FLOAT_EQ(1.333f, o.aspect);
    EXPECT_DOUBLE_EQ(25.0, o.fps);
    EXPECT_DOUBLE_EQ(2.0, o.from);
    EXPECT_DOUBLE_EQ(3.5, o.to);
    EXPECT_TRUE(o.hasEnd);
    EXPECT_TRUE(o.IsVideo());

    RenderOptions at = ParseRenderOptions({"--data", "d", "--at", "1,2.5,-0.25", "--out", "o"});
    EXPECT_EQ((std::vector<double>{1.0, 2.5, -0.25}), at.times);
    EXPECT_EQ(1024, at.width);
    EXPECT_EQ(768, at.height);
    EXPECT_FLOAT_EQ(1.6f, at.aspect);
    EXPECT_FALSE(at.IsSequence());
    EXPECT_FALSE(at.IsVideo());
}

TEST(RenderOptions, RejectsMalformedCommandLines) {
    EXPECT_EQ("--data is required", UsageMessage({"--at", "1", "--out", "o"}));
    EXPECT_EQ("--out is required", UsageMessage({"--data", "d", "--at", "1"}));
    EXPECT_EQ("give either --at or --fps", UsageMessage({"--data", "d", "--out", "o"}));
    EXPECT_EQ("give either --at or --fps", UsageMessage({"--data", "d", "--at", "1", "--fps", "2", "--out", "o"}));
    EXPECT_EQ("--from and --to go with --fps", UsageMessage({"--data", "d", "--at", "1", "--to", "2", "--out", "o"}));
    EXPECT_EQ("--out needs a value", UsageMessage({"--data", "d", "--at", "1", "--out"}));
    EXPECT_EQ("unknown option '--fast'", UsageMessage({"--fast"}));
    EXPECT_EQ("not a number for --at: ''", UsageMessage({"--data", "d", "--at", "1,,2", "--out", "o"}));
    EXPECT_EQ("not a number for --at: '3s'", UsageMessage({"--data", "d", "--at", "1,3s", "--out", "o"}));
    EXPECT_EQ("not a number for --fps: 'nan'", UsageMessage({"--data", "d", "--fps", "nan", "--out", "o"}));
    EXPECT_EQ("--fps must lie above 0 and at most 1000", UsageMessage({"--data", "d", "--fps", "0", "--out", "o"}));
    EXPECT_EQ("--to must lie after --from",
              UsageMessage({"--data", "d", "--fps", "5", "--from", "3", "--to", "3", "--out", "o"}));
    EXPECT_EQ("--aspect must be greater than 0", UsageMessage({"--aspect", "-1"}));
}

TEST(RenderOptions, HelpAnywhereAsksForNothingElse) {
    EXPECT_TRUE(ParseRenderOptions({"--help"}).help);
    EXPECT_TRUE(ParseRenderOptions({"--fast", "--size", "0", "-h"}).help);
    EXPECT_FALSE(ParseRenderOptions({"--data", "d", "--at", "1", "--out", "o"}).help);
}

TEST(RenderOptions, OnlyOneTimeIntoAPngPathIsASingleFile) {
    const struct {
        std::vector<std::string> arguments;
        bool single;
    } cases[] = {
        {{"--at", "2", "--out", "one.png"}, true},
        {{"--at", "2", "--out", "shots/one.png"}, true},
        {{"--at", "2,3", "--out", "two.png"}, false},
        {{"--at", "2", "--out", "shots"}, false},
        {{"--fps", "2", "--to", "1", "--out", "seq.png"}, false},
    };
    for (const auto& c : cases) {
        std::vector<std::string> arguments = {"--data", "d"};
        arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
        EXPECT_EQ(c.single, ParseRenderOptions(arguments).IsSingleFile())
            << c.arguments[1] << " " << c.arguments.back();
    }
}

TEST(RenderOptions, SizeNeedsTwoSidesWithinRange) {
    for (const char* size : {"640", "0x480", "640x0", "x480", "640x", "16385x16", "-4x4", "4x4x4", "99999999999x1"})
        EXPECT_NE("(accepted)", UsageMessage({"--size", size})) << size;
    RenderOptions o = ParseRenderOptions({"--data", "d", "--size", "16384x1", "--at", "0", "--out", "o"});
    EXPECT_EQ(16384, o.width);
    EXPECT_EQ(1, o.height);
}

TEST(RenderFrames, AtTimesAreNamedByTimeWithGapsAsIntervals) {
    RenderOptions o = ParseRenderOptions({"--data", "d", "--at", "12.5,13,1,1234.25", "--out", "o"});
    auto frames = PlanFrames(o, -1.0);
    ASSERT_EQ(4u, frames.size());
    EXPECT_EQ("t012.500.png", frames[0].fileName);
    EXPECT_EQ("t001.000.png", frames[2].fileName);
    EXPECT_EQ("t1234.250.png", frames[3].fileName);
    EXPECT_DOUBLE_EQ(0.0, frames[0].delta);
    EXPECT_DOUBLE_EQ(0.5, frames[1].delta);
    // Going back in time is not a negative interval.
    EXPECT_DOUBLE_EQ(0.0, frames[2].delta);
    EXPECT_EQ("t-01.500.png", Velorin::TimeFileName(-1.5));
}

TEST(RenderFrames, SequenceCoversHalfOpenRange) {
    RenderOptions o = ParseRenderOptions({"--data", "d", "--fps", "4", "--from", "1", "--to", "2", "--out", "o"});
    auto frames = PlanFrames(o, 100.0);
    ASSERT_EQ(4u, frames.size());
    EXPECT_DOUBLE_EQ(1.0, frames[0].time);
    EXPECT_DOUBLE_EQ(1.75, frames[3].time);
    EXPECT_DOUBLE_EQ(0.25, frames[3].delta);
    EXPECT_EQ("frame00000.png", frames[0].fileName);
    EXPECT_EQ("frame00003.png", frames[3].fileName);

    // Without --to the music's end closes the range; 30 fps over 0.1 s is 3 frames, not 4.
    RenderOptions open = ParseRenderOptions({"--data", "d", "--fps", "30", "--out", "o"});
    EXPECT_EQ(3u, PlanFrames(open, 0.1).size());
    EXPECT_THROW(PlanFrames(open, -1.0), UsageError);
    // A negative --to is a time like any other.
    RenderOptions negative =
        ParseRenderOptions({"--data", "d", "--fps", "2", "--from", "-2", "--to", "-1", "--out", "o"});
    EXPECT_EQ(2u, PlanFrames(negative, -1.0).size());
}

} // namespace
