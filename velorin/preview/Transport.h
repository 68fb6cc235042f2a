#pragma once

#include <vector>

namespace Velorin::Preview {

/// An interval of music time, start < end.
struct TimeRange {
    double start = 0.0;
    double end = 0.0;
};

/// Where the live preview is in the show and how it moves: play, pause, seek, loop and the two
/// marks. A pure state machine: every call takes the clock's reading `now` (seconds, any origin,
/// never going back), so tests drive it with a fake clock and the preview with a real one.
class Transport {
public:
    /// Seconds in a bar of the show's music (4 beats at 128 per minute).
    static constexpr double BarLength = 4.0 * 60.0 / 128.0;

    /// Stopped at 0 and paused; times stay within 0 .. length.
    explicit Transport(double length);

    /// The show's time at the clock's reading now. While playing it runs with the clock; in a
    /// loop it wraps back to the loop's start; at the end it stops there.
    double TimeAt(double now);
    bool IsPaused() const { return paused; }

    void TogglePause(double now);
    /// To time t (clamped to 0 .. length), playing or paused as before. A loop that does not
    /// contain t ends.
    void SeekTo(double t, double now);
    /// By delta seconds from the current time.
    void SeekBy(double delta, double now) { SeekTo(TimeAt(now) + delta, now); }

    /// Sets the first or second mark at the current time.
    void MarkStart(double now);
    void MarkEnd(double now);
    /// Starts a loop over the marked range when both marks are set in order, else over the
    /// shortest of blocks that contains the current time; ends a running loop. False when there
    /// was nothing to loop.
    bool ToggleLoop(double now, const std::vector<TimeRange>& blocks);
    bool IsLooping() const { return looping; }
    const TimeRange& GetLoop() const { return loop; }

    /// Counts the jumps (seeks and loop wraps): whatever follows the time, like the music,
    /// re-synchronises when it changes.
    int GetJumpCount() const { return jumps; }

private:
    double Clamp(double t) const;

    double length;
    double anchorTime = 0.0; ///< the show's time at anchorNow
    double anchorNow = 0.0;
    bool paused = true;
    bool looping = false;
    TimeRange loop;
    double markStart = -1.0;
    double markEnd = -1.0;
    int jumps = 0;
};

/// "bar:beat" of the show's music at t, both counted from 1; times before 0 are bar 1 beat 1.
void BarAndBeat(double t, int& bar, int& beat);

} // namespace Velorin::Preview
