#include "gralith/utils/Timer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

using Gralith::Utils::GetTime;
using Gralith::Utils::Timer;

// Only lower bounds and consistency with GetTime are checked: the machine may be slow, but the
// clock may never report less time than really passed.

TEST(Timer, LaterDeltasCoverOnlyTheirOwnInterval) {
    double before = GetTime();
    Timer timer;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    double first = timer.GetDelta();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    double second = timer.GetDelta();
    double after = GetTime();
    EXPECT_GE(first, 0.020);
    EXPECT_GE(second, 0.020);
    // The deltas add up to the time since construction.
    EXPECT_LE(first + second, after - before + 1e-9);
    EXPECT_GE(first + second, 0.040);
}
