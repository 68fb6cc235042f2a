#include "gralith/utils/Timer.h"

#include <chrono>

namespace Gralith::Utils {

double GetTime() {
    using Clock = std::chrono::steady_clock;
    static const Clock::time_point epoch = Clock::now();
    return std::chrono::duration<double>(Clock::now() - epoch).count();
}

Timer::Timer() : start(GetTime()) {}

double Timer::GetDelta() {
    double elapsed = GetTime() - start;
    double delta = elapsed - previousElapsed;
    previousElapsed = elapsed;
    return delta;
}

} // namespace Gralith::Utils
