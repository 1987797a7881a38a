// DisplayedDetLev: the names the user reads for the detail-level values 0 to 4 (three levels,
// keep, project default), used by the change-detail-level dialog, the palette pages and the size
// list. The five names are strings 1 to 5 of the add-on's string list 150, fetched on first use
// with the add-on's resource module active, and kept until unload.
//
// The name of a value v is name v for v from 0 to 4 and the name of keep (3) for any other value:
// 5 (no detail parameter) and above, and a negative value, which a damaged table could hold. A
// name the host could not hand over (no resource file bound yet, a missing string) reads as ""
// and is asked for again on the next use, so one early failure does not blank it until unload.
// The singleton owns its texts. Host main thread only.
#pragma once

#include "gs/GSTypes.h"

class DisplayedDetLev {
public:
    static constexpr Int16 StringListId = 150;
    static constexpr Int32 NameCount = 5;
    static constexpr Int32 KeepValue = 3;

    static DisplayedDetLev& Instance ();

    // The display name of detail-level value `value`; never null.
    const char* GetName (Int16 value);

private:
    DisplayedDetLev ();
    DisplayedDetLev (const DisplayedDetLev&) = delete;
    DisplayedDetLev& operator= (const DisplayedDetLev&) = delete;

    // Fetches every name not fetched yet.
    void LoadMissing ();

    char names[NameCount][256];
    bool loaded[NameCount];
};
