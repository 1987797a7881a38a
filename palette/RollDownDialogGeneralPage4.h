// RollDownDialogGeneralPage4: the page of the size list (layout 32513, the list on item 6). It
// lays the list out over the page, expands and collapses a root row on a plain click in tab 1,
// and turns a double click right of tab 3's begin (or page 5's change button) into the change-
// detail-level dialog for the library parts behind the selected rows, each part once.
//
// Owned by the palette; owns the list. Framework errors are ignored. Host main thread only.
#pragma once

#include "RollDownDialogGeneralPage.h"
#include "SizeList.h"

#include "dg/ListBoxObserver.h"
#include "dg/PopUp.h"

class RollDownDialogGeneralPage4 : public RollDownDialogGeneralPage,
                                   public DG::PopUpObserver,
                                   public DG::ListBoxObserver {
public:
    enum { ResourceId = 32513 };
    enum : Int32 { CollapsedIcon = 32601, ExpandedIcon = 32602 };
    static constexpr Int16 ChangeDialogResId = 32402;

    explicit RollDownDialogGeneralPage4 (const DG::TabControl& tabControl);
    ~RollDownDialogGeneralPage4 () override;

    // Runs a census into the list and shows the default level in force on page 3.
    void PopulateTree ();
    // The change dialog for the selected rows; a full refresh when the chosen levels need one.
    void ShowChangeDialog ();
    // The census rows the change dialog gets for the selected rows, each library part once.
    std::vector<LibRow> GatherChangeRows () const;

    SizeList sizeList;

private:
    void PanelResized (const DG::PanelResizeEvent& ev) override;
    void ListBoxClicked (const DG::ListBoxClickEvent& ev) override;
    void ListBoxDoubleClicked (const DG::ListBoxDoubleClickEvent& ev) override;
};
