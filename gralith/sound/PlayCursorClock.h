#pragma once

namespace Gralith::Sound {

/// Turns a play cursor that an output reports in coarse steps (DirectSound moves it once per
/// mixing period) into a heard position that advances with the clock between the steps and
/// never goes backwards, as the software mixer's positions do. Positions are unwrapped bytes
/// (a looping buffer's laps counted in), times are Utils::GetTime seconds.
///
/// The estimate runs at the nominal rate and is pulled toward what each reading proves: the
/// heard position is at least the cursor, and when the cursor moved since the previous reading
/// it moved at some moment between the two readings, so the heard position is at most the new
/// cursor plus the time since the previous reading. Small disagreements are corrected gently,
/// large ones (a stall, a seek) at once; a cursor that stops holds the estimate within MaxLead.
class PlayCursorClock {
public:
    /// How far ahead of the last cursor the estimate may run, in seconds.
    static constexpr double MaxLead = 0.1;
    /// Disagreements beyond this many seconds are corrected at once rather than gently.
    static constexpr double JumpThreshold = 0.05;

    /// Starts following at cursor, heard at time now; rate in bytes per second.
    void Start(double now, double cursor, double bytesPerSecond);
    /// Continues from the position heard at now at a new rate (a frequency change).
    void SetRate(double now, double bytesPerSecond);
    /// The cursor as read at now (not before the previous reading); answers the heard position.
    /// A cursor below the previous one starts over from it.
    double Observe(double now, double cursor);
    /// The position answered last.
    double GetHeard() const { return heard; }
    double GetRate() const { return rate; }

private:
    double Predict(double now) const { return offset + rate * now; }

    double offset = 0.0; // the estimate is offset + rate * time
    double rate = 0.0;
    double lastCursor = 0.0;
    double lastTime = 0.0;
    double heard = 0.0;
};

} // namespace Gralith::Sound
