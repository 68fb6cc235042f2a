// The preview's transport on a fake clock, and its file watcher on a temporary folder.

#include "velorin/preview/Transport.h"
#include "velorin/preview/FileWatcher.h"

#include "tests/support/TempDirectory.h"

#include <gtest/gtest.h>

#include <filesystem>

using Velorin::Preview::FileWatcher;
using Velorin::Preview::TimeRange;
using Velorin::Preview::Transport;

namespace {

constexpr double Bar = Transport::BarLength;

TEST(Transport, PausePlaySeekAndTheEnds) {
    Transport transport(50.0);
    double now = 100.0; // the clock's origin is not the show's
    EXPECT_TRUE(transport.IsPaused());
    EXPECT_EQ(0.0, transport.TimeAt(now += 5.0)) << "paused at the start";
    transport.TogglePause(now);
    EXPECT_DOUBLE_EQ(2.5, transport.TimeAt(now += 2.5));
    transport.TogglePause(now);
    EXPECT_DOUBLE_EQ(2.5, transport.TimeAt(now += 10.0)) << "time stands while paused";
    transport.SeekBy(1.0, now);
    EXPECT_DOUBLE_EQ(3.5, transport.TimeAt(now));
    transport.SeekBy(-10.0, now);
    EXPECT_EQ(0.0, transport.TimeAt(now)) << "not before the start";
    transport.SeekTo(49.0, now);
    transport.TogglePause(now);
    EXPECT_DOUBLE_EQ(49.5, transport.TimeAt(now += 0.5));
    EXPECT_EQ(50.0, transport.TimeAt(now += 3.0)) << "stops at the end";
    EXPECT_TRUE(transport.IsPaused());
    transport.TogglePause(now);
    EXPECT_DOUBLE_EQ(1.0, transport.TimeAt(now += 1.0)) << "play at the end starts again";
    EXPECT_EQ(4, transport.GetJumpCount()) << "three seeks and the restart";
}

TEST(Transport, LoopsTheShortestBlockUnderTheCursorOrTheMarkedRange) {
    const std::vector<TimeRange> blocks = {{0.0, 50.0}, {10.0, 14.0}, {12.0, 13.0}, {20.0, 30.0}};
    const struct {
        double at;
        bool loops;
        TimeRange loop;
    } rows[] = {
        {11.0, true, {10.0, 14.0}}, {12.5, true, {12.0, 13.0}}, {13.0, true, {10.0, 14.0}},
        {30.0, true, {0.0, 50.0}},  {50.0, false, {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.at);
        Transport transport(50.0);
        transport.SeekTo(row.at, 0.0);
        EXPECT_EQ(row.loops, transport.ToggleLoop(0.0, blocks));
        ASSERT_EQ(row.loops, transport.IsLooping());
        if (row.loops) {
            EXPECT_EQ(row.loop.start, transport.GetLoop().start);
            EXPECT_EQ(row.loop.end, transport.GetLoop().end);
        }
    }

    Transport transport(50.0);
    transport.SeekTo(20.0, 0.0);
    transport.MarkStart(0.0);
    transport.SeekTo(22.0, 0.0);
    transport.MarkEnd(0.0);
    transport.SeekTo(40.0, 0.0);
    ASSERT_TRUE(transport.ToggleLoop(0.0, blocks));
    EXPECT_EQ(20.0, transport.TimeAt(0.0)) << "a loop elsewhere starts at its beginning";
    transport.TogglePause(0.0);
    EXPECT_DOUBLE_EQ(21.5, transport.TimeAt(1.5));
    int jumps = transport.GetJumpCount();
    EXPECT_DOUBLE_EQ(20.5, transport.TimeAt(2.5)) << "wraps at the loop's end";
    EXPECT_DOUBLE_EQ(21.0, transport.TimeAt(7.0)) << "a stalled frame skips whole turns";
    EXPECT_EQ(jumps + 2, transport.GetJumpCount());
    transport.SeekBy(-5.0, 7.0);
    EXPECT_FALSE(transport.IsLooping()) << "seeking out of the loop ends it";
    transport.SeekTo(20.5, 7.0);
    ASSERT_TRUE(transport.ToggleLoop(7.0, blocks));
    ASSERT_TRUE(transport.ToggleLoop(7.0, blocks));
    EXPECT_FALSE(transport.IsLooping()) << "L again ends the loop";
    EXPECT_DOUBLE_EQ(23.0, transport.TimeAt(9.5));

    Transport reversed(50.0);
    reversed.SeekTo(30.0, 0.0);
    reversed.MarkStart(0.0);
    reversed.SeekTo(25.0, 0.0);
    reversed.MarkEnd(0.0);
    ASSERT_TRUE(reversed.ToggleLoop(0.0, blocks));
    EXPECT_EQ(20.0, reversed.GetLoop().start) << "marks out of order fall back to the block";
}

TEST(Transport, BarAndBeatCountFromOne) {
    const struct {
        double t;
        int bar, beat;
    } rows[] = {{-1.0, 1, 1},       {0.0, 1, 1}, {Bar / 4 - 1e-6, 1, 1}, {Bar / 4, 1, 2},
                {Bar - 1e-6, 1, 4}, {Bar, 2, 1}, {15.0, 9, 1},           {42.71, 23, 4}};
    for (const auto& row : rows) {
        int bar = 0, beat = 0;
        Velorin::Preview::BarAndBeat(row.t, bar, beat);
        EXPECT_EQ(row.bar, bar) << row.t;
        EXPECT_EQ(row.beat, beat) << row.t;
    }
}

TEST(FileWatcher, ReportsAddedChangedAndRemovedFilesOnce) {
    GralithTest::TempDirectory data;
    data.Write("demo.xml", "<Demo/>");
    data.Write("shaders/a.cg", "x");
    FileWatcher watcher(data.Path());
    EXPECT_TRUE(watcher.Poll().empty()) << "the first look only looks";
    EXPECT_TRUE(watcher.Poll().empty());

    data.Write("shaders/a.cg", "xy");
    data.Write("textures/new.png", "p");
    EXPECT_EQ((std::vector<std::string>{"shaders/a.cg", "textures/new.png"}), watcher.Poll());
    EXPECT_TRUE(watcher.Poll().empty());

    // Same size, later time: an editor's save of a one-character change.
    auto path = std::filesystem::path(data.Path()) / "demo.xml";
    data.Write("demo.xml", "<Demx/>");
    std::filesystem::last_write_time(path, std::filesystem::last_write_time(path) + std::chrono::seconds(1));
    std::filesystem::remove(std::filesystem::path(data.Path()) / "shaders/a.cg");
    EXPECT_EQ((std::vector<std::string>{"demo.xml", "shaders/a.cg"}), watcher.Poll());
}

} // namespace
