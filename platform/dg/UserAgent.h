// DG::UserAgent: who acts as the user inside modal dialogs: a test, or the host's session script.
// One agent at a time is installed, process-wide; the framework does not own it. The modal loop
// tells it a dialog was shown, asks it for one action at a time (through the driver) until it
// answers false or the dialog closes, then tells it how the dialog closed. Host main thread only.
#pragma once

#include "DGTypes.h"

namespace DG {

class Panel;
class Driver;

class UserAgent {
public:
    virtual ~UserAgent ();

    virtual void DialogShown (const Panel& dialog);
    // Does the user's next action on the open `dialog` through `driver`; answers false when there
    // is nothing more to do (the dialog then closes as by its button, item 1).
    virtual bool Act (const Panel& dialog, Driver& driver) = 0;
    virtual void DialogClosed (const Panel& dialog, ModalResponse response);
};

// Installs `agent` (null: none) and answers the one installed before.
UserAgent* SetUserAgent (UserAgent* agent);
UserAgent* GetUserAgent ();

// Installs an agent for the lifetime of the object and restores the previous one afterwards.
class ScopedUserAgent {
public:
    explicit ScopedUserAgent (UserAgent& agent) : previous (SetUserAgent (&agent)) {}
    ~ScopedUserAgent () { SetUserAgent (previous); }
    ScopedUserAgent (const ScopedUserAgent&) = delete;
    ScopedUserAgent& operator= (const ScopedUserAgent&) = delete;

private:
    UserAgent* previous;
};

}   // namespace DG
