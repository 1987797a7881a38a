// RollDownDialogGeneralPage5: the page on the surface's separate panel (layout 32514): the select,
// refresh and change buttons and the total polygons of the last census. Its refresh is the one
// place where the settings of pages 1 to 3 reach the live settings (Data) before the census runs.
// The buttons share the palette's width in equal gaps.
//
// Owned by the palette. A refresh or a selection disables the palette's items while it runs and
// enables them again when it ends, also when it ends by an exception. Host main thread only.
#pragma once

#include "RollDownDialogGeneralPage.h"

#include "dg/Button.h"
#include "dg/StaticText.h"

class RollDownDialogGeneralPage5 : public RollDownDialogGeneralPage, private DG::ButtonItemObserver {
public:
    enum { ResourceId = 32514, TotalTextId = 4 };

    explicit RollDownDialogGeneralPage5 (const DG::TabControl& tabControl);
    ~RollDownDialogGeneralPage5 () override;

    // Stores the settings of pages 1 to 3, runs the census into the list, shows the total.
    void PopulateTree ();
    // Selects the elements behind the list's selected rows, in the scope the pages show now.
    void MySelect ();
    // Item 4: label 146/1 and the census' total polygons ("0" without a census).
    void setNumberOfPolygonsText ();

    DG::Button selectButton;
    DG::Button refreshButton;
    DG::Button changeButton;
    DG::RightText totalText;

private:
    void ButtonClicked (const DG::ButtonClickEvent& ev) override;
    void PanelResized (const DG::PanelResizeEvent& ev) override;

    // The scope the pages show: marquee, all stories and the story range.
    struct Scope {
        bool useMarquee = false, allStories = false;
        Int32 fromStory = 0, toStory = 0;
    };
    bool ReadScope (Scope* scope) const;
};
