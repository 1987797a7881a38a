// GS::Stopwatch: measures elapsed seconds on a monotonic clock, with reset, start, stop and a
// reading. The clock is one process-wide source that tests may replace (SetClockSource) so that
// time-dependent code is checked without waiting; pass null to go back to the default clock, the
// system's coarse monotonic clock (milliseconds' resolution, cheap to read).
#pragma once

namespace GS {

using ClockSource = double (*) ();   // seconds since any fixed point, never decreasing

void SetClockSource (ClockSource source);
double ClockSeconds ();

class Stopwatch {
public:
    void Reset ();           // elapsed 0, stopped
    void Start ();           // runs from now, adding to what was measured
    void Stop ();            // keeps what was measured
    double GetElapsedTime () const;   // seconds measured so far, counting a running period

private:
    double accumulated = 0.0;
    double startedAt = 0.0;
    bool running = false;
};

}   // namespace GS
