#include "velorin/preview/Transport.h"

#include <algorithm>
#include <cmath>

namespace Velorin::Preview {

Transport::Transport(double length) : length(std::max(length, 0.0)) {}

double Transport::Clamp(double t) const { return std::min(std::max(t, 0.0), length); }

double Transport::TimeAt(double now) {
    if (paused)
        return anchorTime;
    double t = anchorTime + (now - anchorNow);
    if (looping && t >= loop.end) {
        // Whole turns are skipped, so a stalled frame lands where the loop would be by now.
        double span = loop.end - loop.start;
        t = loop.start + std::fmod(t - loop.start, span);
        anchorTime = t;
        anchorNow = now;
        ++jumps;
    } else if (t >= length) {
        anchorTime = length;
        anchorNow = now;
        paused = true;
        return length;
    }
    return t;
}

void Transport::TogglePause(double now) {
    anchorTime = TimeAt(now);
    anchorNow = now;
    if (paused && anchorTime >= length && !looping) {
        // Play from the end starts again from the beginning, as a player does.
        anchorTime = 0.0;
        ++jumps;
    }
    paused = !paused;
}

void Transport::SeekTo(double t, double now) {
    anchorTime = Clamp(t);
    anchorNow = now;
    if (looping && (anchorTime < loop.start || anchorTime >= loop.end))
        looping = false;
    ++jumps;
}

void Transport::MarkStart(double now) { markStart = TimeAt(now); }

void Transport::MarkEnd(double now) { markEnd = TimeAt(now); }

bool Transport::ToggleLoop(double now, const std::vector<TimeRange>& blocks) {
    double t = TimeAt(now);
    if (looping) {
        looping = false;
        return true;
    }
    if (markStart >= 0.0 && markEnd > markStart) {
        loop = {markStart, markEnd};
    } else {
        const TimeRange* shortest = nullptr;
        for (const TimeRange& block : blocks)
            if (block.start <= t && t < block.end &&
                (!shortest || block.end - block.start < shortest->end - shortest->start))
                shortest = &block;
        if (!shortest)
            return false;
        loop = *shortest;
    }
    if (t < loop.start || t >= loop.end)
        SeekTo(loop.start, now);
    looping = true;
    return true;
}

void BarAndBeat(double t, int& bar, int& beat) {
    long long beats = static_cast<long long>(std::floor(std::max(t, 0.0) / (Transport::BarLength / 4.0) + 1e-9));
    bar = static_cast<int>(beats / 4) + 1;
    beat = static_cast<int>(beats % 4) + 1;
}

} // namespace Velorin::Preview
