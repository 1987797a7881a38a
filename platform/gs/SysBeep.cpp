#include "SysBeep.h"

#include <cstdio>
#include <unistd.h>

namespace GS {

namespace {

void TerminalBell (Int32)
{
    if (isatty (STDERR_FILENO) != 0) {
        std::fputc ('\a', stderr);
        std::fflush (stderr);
    }
}

BeepSink currentSink = &TerminalBell;
UInt32 beeps = 0;

}   // namespace

void SysBeep (Int32 duration)
{
    ++beeps;
    currentSink (duration);
}

UInt32 BeepCount () { return beeps; }
void SetBeepSink (BeepSink sink) { currentSink = sink != nullptr ? sink : &TerminalBell; }

}   // namespace GS
