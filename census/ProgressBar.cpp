#include "ProgressBar.h"

#include "host/ACAPI.h"
#include "host/ResourceModuleLock.h"
#include "shell/APICommon.h"

namespace {

constexpr Int32 BarRange = 32767;        // the host's bar takes 16-bit values
constexpr Int16 ProgressStrings = 140;   // string 3: the phase text
constexpr Int32 PhaseTextIndex = 3;

}   // namespace

ProgressBar::ProgressBar (const char* title)
{
    if (ACAPI_Interface (APIIo_InitProcessWindowID, const_cast<char*> (title), &phaseCount) != NoError)
        BeepSound ();
    ACAPI_OpenUndoableSession ("");
}

ProgressBar::~ProgressBar ()
{
    ACAPI_Interface (APIIo_CloseProcessWindowID);
    ACAPI_CloseUndoableSession ();
    BeepSound ();
}

void ProgressBar::NextProcessPhase (Int32 count)
{
    if (count < 0)
        count = 0;
    phaseElemCount = count;
    if (count >= BarRange) {
        scale = static_cast<float> (BarRange) / static_cast<float> (count);
        barMax = BarRange;
    } else {
        scale = 1.0f;
        barMax = count;
    }
    stopwatch.Reset ();
    stopwatch.Start ();

    ResourceModuleLock lock;
    char phaseText[256] = "";
    ACAPI_Resource_GetLocStr (phaseText, ProgressStrings, PhaseTextIndex);
    if (ACAPI_Interface (APIIo_SetProcessPhaseID, phaseText, &barMax) != NoError)
        BeepSound ();
    barValue = ScaledBarValue ();
    if (ACAPI_Interface (APIIo_SetProcessValueID, &barValue) != NoError)
        BeepSound ();
}

bool ProgressBar::IncBarValue ()
{
    ++visited;
    if (stopwatch.GetElapsedTime () < updateInterval)
        return true;
    if (ACAPI_Interface (APIIo_IsProcessCanceledID) != NoError) {
        BeepSound ();
        stopwatch.Stop ();
        return false;
    }
    stopwatch.Reset ();
    stopwatch.Start ();
    barValue = ScaledBarValue ();
    ACAPI_Interface (APIIo_SetProcessValueID, &barValue);
    return true;
}

Int32 ProgressBar::ScaledBarValue () const
{
    const float scaled = static_cast<float> (visited) * scale;
    // More visits than announced must not push the bar past its end (nor wrap the 16-bit value).
    const Int32 value = scaled >= static_cast<float> (barMax) ? barMax : static_cast<Int32> (scaled);
    return static_cast<Int16> (value < 0 ? 0 : value);
}
