// RollDownDialogGeneralPage2: the element scope page (layout 32511): the selection or marquee
// (item 1, selected at start; it becomes useMarquee at the next refresh) or the whole model. The
// page keeps the title of roll panel 1 up to date: the whole text from threshold 143/4 up, the
// choice alone below it.
//
// Owned by the palette. Host main thread only.
#pragma once

#include "RollDownDialogGeneralPage.h"

#include "dg/RadioButton.h"

class RollDownDialogGeneralPage2 : public RollDownDialogGeneralPage, public DG::RadioItemObserver {
public:
    enum { ResourceId = 32511 };

    explicit RollDownDialogGeneralPage2 (const DG::TabControl& tabControl);
    ~RollDownDialogGeneralPage2 () override;

    void ChangeTitle ();

    DG::RadioButton selectionRadio;
    DG::RadioButton wholeModelRadio;

private:
    void RadioItemChanged (const DG::RadioItemChangeEvent& ev) override;
    void PanelResized (const DG::PanelResizeEvent& ev) override;
};
