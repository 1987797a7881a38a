// RollDownDialogGeneralPage3: the project default detail level page (layout 32512): a pop-up of
// four entries, entry k for level k - 1 (levels 0 to 3, named by DisplayedDetLev). Choosing
// entry 1, 2 or 3 refreshes the census at once; entry 4 (keep) takes effect at the next refresh.
// Above threshold 144/2 the label shows beside the pop-up and the title of roll panel 2 is the
// whole text; otherwise the label hides and the title is the level name alone.
//
// Owned by the palette. An exception while setting the title ends that update. Host main thread
// only.
#pragma once

#include "RollDownDialogGeneralPage.h"

#include "dg/PopUp.h"
#include "dg/StaticText.h"

class RollDownDialogGeneralPage3 : public RollDownDialogGeneralPage, public DG::PopUpObserver {
public:
    enum { ResourceId = 32512 };

    explicit RollDownDialogGeneralPage3 (const DG::TabControl& tabControl);
    ~RollDownDialogGeneralPage3 () override;

    void ChangeTitle ();
    // The selected entry (1 to 4); selecting one from code raises no event.
    Int16 GetSelectedItem () const { return levelPopUp.GetSelectedItem (); }
    void SetSelectedItem (Int16 entry) { levelPopUp.SelectItem (entry); }

    DG::LeftText levelLabel;
    DG::PopUp levelPopUp;

private:
    void PanelResized (const DG::PanelResizeEvent& ev) override;
    void PopUpChanged (const DG::PopUpChangeEvent& ev) override;
    void PanelOpened (const DG::PanelOpenEvent& ev) override;
};

// The entry of page 3 that shows the default level in force: the live default while a census
// exists, otherwise the project's stored default.
Int16 DefaultLevelEntry ();
