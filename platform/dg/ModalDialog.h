// DG::ModalDialog: a dialog shown by Invoke, which runs a modal loop until a handler (or the user
// agent through the close box) asks it to close with PostCloseRequest. The user's actions come
// from the installed user agent (UserAgent.h). When there is no agent, or the agent has nothing
// more to do, the dialog closes as the user would: by a click on its button, item 1; if that does
// not close it either (no such button, or no handler closes), it closes with Cancel. So Invoke
// always returns.
//
// Invoke answers true exactly when the dialog closed with Accept. An invalid dialog (missing
// resource) shows nothing and answers false; so does a second Invoke of a dialog already open.
// Host main thread only.
#pragma once

#include "Dialog.h"

namespace DG {

class ModalDialog : public Dialog {
public:
    // Builds from dialog resource `resourceId` of `module`; ActiveResModule: the active module.
    explicit ModalDialog (Int16 resourceId, GSResModule module = ActiveResModule);

    bool Invoke ();
    // Closes the open dialog with `response` once the current event is handled (Accept, Cancel).
    void PostCloseRequest (ModalResponse response);
    bool IsOpen () const;

    // The most user actions one Invoke takes from an agent before it closes the dialog itself.
    static constexpr Int32 MaxUserActions = 10000;
};

}   // namespace DG
