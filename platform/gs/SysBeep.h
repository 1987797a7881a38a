// The platform's alert sound. Every call is counted (tests read BeepCount) and handed to one
// process-wide sink; the default sink rings the terminal bell on the error stream when that is a
// terminal, and stays silent otherwise (so piped output is not littered).
#pragma once

#include "GSTypes.h"

namespace GS {

using BeepSink = void (*) (Int32 duration);

void SysBeep (Int32 duration);
UInt32 BeepCount ();
void SetBeepSink (BeepSink sink);   // null restores the default

}   // namespace GS
