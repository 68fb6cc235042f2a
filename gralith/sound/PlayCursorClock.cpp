#include "gralith/sound/PlayCursorClock.h"

#include <algorithm>
#include <cmath>

namespace Gralith::Sound {

namespace {

// Share of a small disagreement corrected per reading: enough to follow an output whose clock
// runs slightly off the system's, small enough that a correction never shows as a jolt.
constexpr double Gain = 0.25;

} // namespace

void PlayCursorClock::Start(double now, double cursor, double bytesPerSecond) {
    rate = bytesPerSecond;
    offset = cursor - rate * now;
    lastCursor = cursor;
    lastTime = now;
    heard = cursor;
}

void PlayCursorClock::SetRate(double now, double bytesPerSecond) {
    double at = std::max(heard, Predict(now));
    rate = bytesPerSecond;
    offset = at - rate * now;
}

double PlayCursorClock::Observe(double now, double cursor) {
    if (cursor < lastCursor) {
        Start(now, cursor, rate);
        return heard;
    }
    now = std::max(now, lastTime);
    double lowest = cursor;
    double highest = cursor + rate * MaxLead;
    if (cursor > lastCursor)
        highest = std::min(highest, cursor + rate * (now - lastTime));
    double predicted = Predict(now);
    double error = 0.0;
    if (predicted < lowest)
        error = lowest - predicted;
    else if (predicted > highest)
        error = highest - predicted;
    if (std::fabs(error) > rate * JumpThreshold)
        offset += error;
    else
        offset += Gain * error;
    lastCursor = cursor;
    lastTime = now;
    // Never past what the output can have played, never back.
    double estimate = std::min(Predict(now), cursor + rate * MaxLead);
    heard = std::max(heard, estimate);
    return heard;
}

} // namespace Gralith::Sound
