#pragma once

#include "gralith/Object.h"

namespace Gralith::Utils {

/// Seconds since the first call in the process, from the monotonic high-resolution clock.
double GetTime();

/// Measures the interval between frames.
class Timer : public Object {
public:
    Timer();
    /// Seconds since the previous GetDelta, or since construction for the first call.
    double GetDelta();

private:
    double start;
    double previousElapsed = 0.0;
};

} // namespace Gralith::Utils
