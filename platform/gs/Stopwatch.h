// GS::Stopwatch: measures elapsed seconds on a monotonic clock, with reset, start, stop and a
// reading. The clock is one process-wide source that tests may replace (SetClockSource) so that
// time-dependent code is checked without waiting; pass null to go back to the default clock, the
// system's coarse monotonic clock (milliseconds' resolution, cheap to read). Readings are inline:
// a progress window reads the clock once per counted element, and the calls around the system's
// reading would cost more than the reading itself.
#pragma once

#include <chrono>
#include <time.h>

namespace GS {

using ClockSource = double (*) ();   // seconds since any fixed point, never decreasing

void SetClockSource (ClockSource source);

namespace Clock {

extern ClockSource replacement;   // what SetClockSource set; null for the default clock

inline double Coarse ()
{
#ifdef CLOCK_MONOTONIC_COARSE
    timespec now{};
    if (clock_gettime (CLOCK_MONOTONIC_COARSE, &now) == 0)
        return static_cast<double> (now.tv_sec) + static_cast<double> (now.tv_nsec) * 1e-9;
#endif
    using namespace std::chrono;
    return duration<double> (steady_clock::now ().time_since_epoch ()).count ();
}

}   // namespace Clock

inline double ClockSeconds () { return Clock::replacement != nullptr ? Clock::replacement () : Clock::Coarse (); }

class Stopwatch {
public:
    void Reset ();           // elapsed 0, stopped
    void Start ();           // runs from now, adding to what was measured
    void Stop ();            // keeps what was measured
    // Seconds measured so far, counting a running period.
    double GetElapsedTime () const { return running ? accumulated + (ClockSeconds () - startedAt) : accumulated; }

private:
    double accumulated = 0.0;
    double startedAt = 0.0;
    bool running = false;
};

}   // namespace GS
