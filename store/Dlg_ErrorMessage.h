// Dlg_ErrorMessage: the add-on's one error dialog (dialog resource 128): an icon, two lines of
// text, one button and a "do not show again" check box. Two forms:
// - numbered: lines 1 and 2 are strings 1 and 2 of the add-on's string list `msgId`; the check box
//   shows only when asked for. A missing string shows as an empty line.
// - code: line 1 is a host error code as signed decimal, line 2 a text naming the place. The check
//   box is hidden: no caller uses its answer, so offering it would mislead the user.
// Both forms build the layout from the add-on's own resource file, whichever module the caller
// has active, and leave the caller's active module as it was.
//
// Invoke () answers true exactly when the check box was ticked when the button was pressed.
// Callers make the dialog as a local object, Invoke it and let it go. The static text buffers
// are shared by all instances. Host main thread only.
#pragma once

#include "dg/Button.h"
#include "dg/CheckBox.h"
#include "dg/IconItem.h"
#include "dg/ModalDialog.h"
#include "dg/PanelObserver.h"
#include "dg/StaticText.h"

class Dlg_ErrorMessage : public DG::ModalDialog, public DG::ButtonItemObserver, public DG::PanelObserver {
public:
    enum { ResourceId = 128 };
    enum { OkButtonId = 1, IconId = 2, Line1Id = 3, Line2Id = 4, DoNotShowId = 5 };

    Dlg_ErrorMessage (Int16 msgId, bool showCheckBox);
    Dlg_ErrorMessage (Int32 code, const char* text);
    virtual ~Dlg_ErrorMessage ();

    void ButtonClicked (const DG::ButtonClickEvent& ev) override;

private:
    void AttachObservers ();

    DG::Button okButton;
    DG::IconItem icon;
    DG::LeftText line1;
    DG::LeftText line2;
    DG::CheckBox doNotShow;
};
