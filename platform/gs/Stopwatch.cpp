#include "Stopwatch.h"

#include <chrono>

namespace GS {

namespace {

double SteadySeconds ()
{
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
