// halcyra-render's command line and the frames it plans from it.

#include "velorin/render/RenderOptions.h"

#include <gtest/gtest.h>

#include <cstdio>

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

std::string Describe(const RenderOptions& o) {
    char text[200];
    std::snprintf(text, sizeof text, "%s %dx%d aspect %g, %zu times, fps %g from %g to %g%s, %s%s",
                  o.dataDirectory.c_str(), o.width, o.height, o.aspect, o.times.size(), o.fps, o.from, o.to,
                  o.hasEnd ? "" : " (open)", o.IsVideo() ? "video" : "images", o.IsSingleFile() ? " single" : "");
    return text;
}

TEST(RenderOptions, ReadsEveryOptionAndDefaultsTheRest) {
    EXPECT_EQ("d 320x200 aspect 1.333, 0 times, fps 25 from 2 to 3.5, video",
              Describe(ParseRenderOptions({"--data", "d", "--size", "320x200", "--aspect", "1.333", "--fps", "25",
                                           "--from", "2", "--to", "3.5", "--out", "v.webm"})));
    RenderOptions at = ParseRenderOptions({"--data", "d", "--at", "1,2.5,-0.25", "--out", "o"});
    EXPECT_EQ((std::vector<double>{1.0, 2.5, -0.25}), at.times);
    EXPECT_EQ("d 1024x768 aspect 1.6, 3 times, fps 0 from 0 to 0 (open), images", Describe(at));
    EXPECT_TRUE(ParseRenderOptions({"--fast", "--size", "0", "-h"}).help) << "help anywhere asks for nothing else";
    EXPECT_FALSE(at.help);
}

TEST(RenderOptions, RejectsMalformedCommandLines) {
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {{"--at", "1", "--out", "o"}, "--data is required"},
        {{"--data", "d", "--at", "1"}, "--out is required"},
        {{"--data", "d", "--out", "o"}, "give either --at or --fps"},
        {{"--data", "d", "--at", "1", "--fps", "2", "--out", "o"}, "give either --at or --fps"},
        {{"--data", "d", "--at", "1", "--to", "2", "--out", "o"}, "--from and --to go with --fps"},
        {{"--data", "d", "--at", "1", "--out"}, "--out needs a value"},
        {{"--fast"}, "unknown option '--fast'"},
        {{"--data", "d", "--at", "1,,2", "--out", "o"}, "not a number for --at: ''"},
        {{"--data", "d", "--at", "1,3s", "--out", "o"}, "not a number for --at: '3s'"},
        {{"--data", "d", "--fps", "nan", "--out", "o"}, "not a number for --fps: 'nan'"},
        {{"--data", "d", "--fps", "0", "--out", "o"}, "--fps must lie above 0 and at most 1000"},
        {{"--data", "d", "--fps", "5", "--from", "3", "--to", "3", "--out", "o"}, "--to must lie after --from"},
        {{"--aspect", "-1"}, "--aspect must be greater than 0"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.second, UsageMessage(c.first));
    for (const char* size : {"640", "0x480", "640x0", "x480", "640x", "16385x16", "-4x4", "4x4x4", "99999999999x1"})
        EXPECT_NE("(accepted)", UsageMessage({"--size", size})) << size;
    EXPECT_EQ(16384, ParseRenderOptions({"--data", "d", "--size", "16384x1", "--at", "0", "--out", "o"}).width);
}

TEST(RenderOptions, OnlyOneTimeIntoAPngPathIsASingleFile) {
    EXPECT_TRUE(ParseRenderOptions({"--data", "d", "--at", "2", "--out", "shots/one.png"}).IsSingleFile());
    EXPECT_FALSE(ParseRenderOptions({"--data", "d", "--at", "2,3", "--out", "two.png"}).IsSingleFile());
    EXPECT_FALSE(ParseRenderOptions({"--data", "d", "--at", "2", "--out", "shots"}).IsSingleFile());
    EXPECT_FALSE(ParseRenderOptions({"--data", "d", "--fps", "2", "--to", "1", "--out", "seq.png"}).IsSingleFile());
}

TEST(RenderFrames, AtTimesAreNamedByTimeWithGapsAsIntervals) {
    auto frames = PlanFrames(ParseRenderOptions({"--data", "d", "--at", "12.5,13,1,1234.25", "--out", "o"}), -1.0);
    ASSERT_EQ(4u, frames.size());
    EXPECT_EQ("t012.500.png t1234.250.png", frames[0].fileName + " " + frames[3].fileName);
    EXPECT_EQ(0.0, frames[0].delta);
    EXPECT_EQ(0.5, frames[1].delta);
    EXPECT_EQ(0.0, frames[2].delta) << "going back in time is not a negative interval";
    EXPECT_EQ("t-01.500.png", Velorin::TimeFileName(-1.5));
}

TEST(RenderFrames, SequenceCoversTheHalfOpenRange) {
    auto frames =
        PlanFrames(ParseRenderOptions({"--data", "d", "--fps", "4", "--from", "1", "--to", "2", "--out", "o"}), 100.0);
    ASSERT_EQ(4u, frames.size());
    EXPECT_EQ(1.0, frames[0].time);
    EXPECT_EQ(1.75, frames[3].time);
    EXPECT_EQ(0.25, frames[3].delta);
    EXPECT_EQ("frame00000.png frame00003.png", frames[0].fileName + " " + frames[3].fileName);
    // Without --to the music's end closes the range; 30 fps over 0.1 s is 3 frames, not 4.
    RenderOptions open = ParseRenderOptions({"--data", "d", "--fps", "30", "--out", "o"});
    EXPECT_EQ(3u, PlanFrames(open, 0.1).size());
    EXPECT_THROW(PlanFrames(open, -1.0), UsageError);
    EXPECT_EQ(
        2u,
        PlanFrames(ParseRenderOptions({"--data", "d", "--fps", "2", "--from", "-2", "--to", "-1", "--out", "o"}), -1.0)
            .size());
}

} // namespace
