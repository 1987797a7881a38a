// RollDownDialogGeneralPage: the common base of the palette's five pages, a tab page (tab index 1)
// built from a dialog resource on a roll panel's tab control. It observes its own panel from
// construction to destruction; each page overrides the handlers it needs.
//
// The page belongs to the palette that built it (RollDownPalette); it reaches the palette and the
// other pages through the page directory below, which answers null while the palette is not (or
// no longer) there. An invalid page (missing resource) reports IsValid false. Host main thread
// only.
#pragma once

#include "dg/PanelObserver.h"
#include "dg/TabControl.h"
#include "dg/TabPage.h"
#include "gs/GSString.h"

class RollDownPalette;

class RollDownDialogGeneralPage : public DG::TabPage, private DG::PanelObserver {
public:
    RollDownDialogGeneralPage (const DG::TabControl& tabControl, Int16 resourceNumber);
    ~RollDownDialogGeneralPage () override;

protected:
    // Page directory: the palette the page sits on, or null.
    RollDownPalette* GetPalette () const;
    // Sets the title of the roll panel at `position` (0 to 3) of the palette's panel set.
    void SetRollPanelTitle (Int32 position, const GS::String& title) const;
    // Resource texts of the active module: text `index` of list `listId` ("" when missing, and
    // `found` false), and a layout threshold read from such a text with "%hd" (0 when missing or
    // not a number).
    static GS::String ResourceText (Int16 listId, Int32 index, bool* found = nullptr);
    static Int16 ResourceNumber (Int16 listId, Int32 index);
    // Whether a panel event comes from this page.
    bool IsOwnEvent (const DG::PanelEvent& ev) const { return ev.GetSource () == static_cast<const DG::Panel*> (this); }
};
