#include "Stopwatch.h"

namespace GS {

ClockSource Clock::replacement = nullptr;

void SetClockSource (ClockSource source) { Clock::replacement = source; }

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

}   // namespace GS
