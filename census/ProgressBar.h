// ProgressBar: the census's progress window and undo step. Constructed with the window's title,
// it opens the host's progress window and one undoable operation; NextProcessPhase announces the
// one phase with the number of elements to visit; IncBarValue counts one element, redraws the bar
// and asks the host about a cancel at most once per 0.1 s; the destructor closes both and beeps.
// Everything the census changes while the object lives is one undo step.
//
// Owns nothing of the host's: a local object that lives exactly as long as the element walk.
// Host errors are answered by an alert sound and the work goes on without the display; a cancel
// shows as IncBarValue answering false. Host main thread only.
#pragma once

#include "gs/GSTypes.h"
#include "gs/Stopwatch.h"

class ProgressBar {
public:
    explicit ProgressBar (const char* title);
    ~ProgressBar ();
    ProgressBar (const ProgressBar&) = delete;
    ProgressBar& operator= (const ProgressBar&) = delete;

    // Starts the (only) phase with `count` steps; counts of 32767 and more are scaled to the
    // bar's 16-bit range.
    void NextProcessPhase (Int32 count);
    // One element visited; false when the user asked to stop.
    bool IncBarValue ();

private:
    // visited × scale in single precision, truncated, kept within 0 … bar maximum.
    Int32 ScaledBarValue () const;

    Int32 visited = 0;
    Int16 phaseCount = 1;
    Int32 barValue = 0;
    Int32 barMax = 0;
    GS::Stopwatch stopwatch;
    double updateInterval = 0.1;
    float scale = 1.0f;
    Int32 phaseElemCount = 0;
};
