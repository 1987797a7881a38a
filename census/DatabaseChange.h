// DatabaseChange: a scope object that makes the floor plan (database type 1) the current database
// while it lives and makes the database that was current before current again when it goes, also
// when an exception leaves the scope. A failed query of the current database leaves nothing to
// restore: the destructor then changes nothing. Not copyable.
//
// KillOldSelection: deselects the elements selected in the model; a marquee is left as it is, and
// nothing selected is no failure. The host's blocks are released in every case.
//
// Both ignore host failures otherwise. Host main thread only. (The selection run's free function
// of the same name, which switches without restoring, lives with the selection code; where both
// are visible the class is spelled `class DatabaseChange`.)
#pragma once

#include "api/APIdefs.h"

class DatabaseChange {
public:
    DatabaseChange ();
    ~DatabaseChange ();
    DatabaseChange (const DatabaseChange&) = delete;
    DatabaseChange& operator= (const DatabaseChange&) = delete;

private:
    API_DatabaseInfo kept;   // the database current at construction
    bool known = false;      // `kept` was read from the host
};

void KillOldSelection ();
