// RollDownDialogGeneralPage1: the story scope page (layout 32510): all stories, or the range of
// story numbers from item 3 to item 5. The range never runs backwards (a typed number that would
// reverse it is put back; equal numbers are allowed). firstStory and lastStory, the project's
// lowest and highest story numbers as the user reads them, are taken once at construction.
// The page keeps the title of roll panel 0 up to date and narrows its layout below threshold
// 142/2.
//
// Owned by the palette. A failed story query leaves the range 0 .. 0. Host main thread only.
#pragma once

#include "RollDownDialogGeneralPage.h"

#include "dg/IntEdit.h"
#include "dg/RadioButton.h"
#include "dg/StaticText.h"

class RollDownDialogGeneralPage1 : public RollDownDialogGeneralPage,
                                   public DG::RadioItemObserver,
                                   public DG::IntEditObserver {
public:
    enum { ResourceId = 32510 };

    explicit RollDownDialogGeneralPage1 (const DG::TabControl& tabControl);
    ~RollDownDialogGeneralPage1 () override;

    // Composes the title of roll panel 0 from the choice and the page width.
    void ChangeTitle ();

    DG::RadioButton allStoriesRadio;
    DG::RadioButton rangeRadio;
    DG::IntEdit fromEdit;
    DG::CenterText rangeText;
    DG::IntEdit toEdit;

    Int32 firstStory = 0;
    Int32 lastStory = 0;

private:
    void PanelResized (const DG::PanelResizeEvent& ev) override;
    void IntEditChanged (const DG::IntEditChangeEvent& ev) override;
    void RadioItemChanged (const DG::RadioItemChangeEvent& ev) override;
    void PanelOpened (const DG::PanelOpenEvent& ev) override;

    // The edits sit one unit above their layout top, at every resize: the tops are taken once
    // here so that repeated resizes do not move them further up.
    Int32 fromEditTop = 0;
    Int32 toEditTop = 0;
};
