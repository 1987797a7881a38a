// DG::TabPage: a panel built from a dialog resource on tab `tabIndex` (from 1) of a tab control;
// its items are built from it like any panel's. The page belongs to whoever built it; it sits on
// the control's dialog (GetParentDialog, the palette of a roll-down page) from construction to
// destruction, also when the control goes first.
//
// Its width is the control's and follows the dialog's resizes; its height starts as the
// resource's. SetHeight from code, like a resize by the user, raises PanelResized with the page as
// source when the height changed.
//
// Fails: a missing resource, or a tab index the control has given to a live page already, makes
// an invalid page (IsValid false) that takes no tab; an armed creation switch
// (CreationFailures.h) throws DG::CreationFailure. Host main thread only.
#pragma once

#include "Panel.h"

namespace DG {

class Dialog;
class TabControl;

class TabPage : public Panel {
public:
    TabPage (const TabControl& tabControl, Int16 tabIndex, Int16 resourceId, GSResModule module = ActiveResModule);
    ~TabPage () override;

    Int32 GetWidth () const;
    Int32 GetHeight () const;
    void SetHeight (Int32 height);
    Int16 GetTabIndex () const;
    // The dialog the page sits on while that lives; else null.
    Dialog* GetParentDialog () const;
};

}   // namespace DG
