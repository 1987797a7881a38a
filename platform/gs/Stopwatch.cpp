#include "Stopwatch.h"

#include <chrono>
#include <time.h>

namespace GS {

namespace {

// The coarse monotonic clock: a few milliseconds' resolution, read without a system call or a
// hardware counter. The progress window reads it once per counted element to decide whether
// to redraw every tenth of a second, and a finer clock cost more than many host calls.
double SteadySeconds ()
{
#ifdef CLOCK_MONOTONIC_COARSE
    timespec now{};
    if (clock_gettime (CLOCK_MONOTONIC_COARSE, &now) == 0)
        return static_cast<double> (now.tv_sec) + static_cast<double> (now.tv_nsec) * 1e-9;
#endif
    using namespace std::chrono;
    return duration<double> (steady_clock::now ().time_since_epoch ()).count ();
}

ClockSource currentSource = &SteadySeconds;

}   // namespace

void SetClockSource (ClockSource source) { currentSource = source != nullptr ? source : &SteadySeconds; }
double ClockSeconds () { return currentSource (); }

void Stopwatch::Reset ()
{
    accumulated = 0.0;
    running = false;
}

void Stopwatch::Start ()
{
    if (!running) {
        startedAt = ClockSeconds ();
        running = true;
    }
}

void Stopwatch::Stop ()
{
    if (running) {
        accumulated += ClockSeconds () - startedAt;
        running = false;
    }
}

double Stopwatch::GetElapsedTime () const
{
    return running ? accumulated + (ClockSeconds () - startedAt) : accumulated;
}

}   // namespace GS
