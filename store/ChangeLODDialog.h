// ChangeLODDialog: the modal dialog (layout 32402) in which the user gives library parts a new
// detail level. Item 1 lists the given census rows (name, then the name of the row's level) and
// only shows: it never keeps a selection. Item 2 lists the five detail-level values by name; line n
// stands for value n - 1. Choosing a value grays the rows whose library part does not offer it
// (for "project default", the project's default level), and sets the others back to normal.
//
// OK with a value chosen writes it into the live detail-level table (Data) for every row that is
// not grayed, then closes: Invoke answers true when some row's entry changed to a value that
// placements must follow (a level 0..2, or default while the default is not keep), so the caller
// runs a new census. OK with no value, Cancel and the Escape key (the framework's special key -5,
// registered as the dialog's hot key) close answering false without touching the table.
//
// The rows stay the caller's and are read only; they must outlive the dialog. The dialog builds
// its layout from the add-on's own resource file whatever module the caller has active. It raises
// no messages. Host main thread only.
#pragma once

#include "census/RefreshData.h"
#include "dg/Button.h"
#include "dg/ListBox.h"
#include "dg/ModalDialog.h"
#include "dg/PanelObserver.h"

#include <vector>

class ChangeLODDialog : public DG::ModalDialog,
                        public DG::ButtonItemObserver,
                        public DG::ListBoxObserver,
                        public DG::PanelObserver {
public:
    enum { ResourceId = 32402 };
    enum { RowsListId = 1, LevelsListId = 2, OkButtonId = 3, CancelButtonId = 4 };
    enum { FirstColumnEnd = 139, SecondColumnBegin = 140 };
    enum { LevelCount = 5, DefaultLevel = 4, KeepLevel = 3 };
    static constexpr DG::Key::Code HotKeyCode = DG::Key::Escape;   // special key -5

    ChangeLODDialog (Int16 resId, std::vector<LibRow>* rows);
    virtual ~ChangeLODDialog ();

    // Writes the chosen level into the live table for every row not grayed and closes.
    void OKPressed ();

    void ButtonClicked (const DG::ButtonClickEvent& ev) override;
    void ListBoxSelectionChanged (const DG::ListBoxSelectionEvent& ev) override;
    void ListBoxClicked (const DG::ListBoxClickEvent& ev) override;
    void PanelHotkeyPressed (const DG::PanelHotKeyEvent& ev, bool& processed) override;
    void ListBoxContextMenuRequested (const DG::ListBoxContextMenuEvent& ev) override;

private:
    // The chosen detail-level value, -1 when no line of the levels list is selected.
    Int16 ChosenLevel () const;
    void GrayRowsFor (Int16 level);
    void KeepRowsUnselected ();

    DG::Button okButton;
    DG::Button cancelButton;
    DG::SingleSelListBox rowsList;
    DG::SingleSelListBox levelsList;
    std::vector<LibRow>* rows;
    Int16 hotKey;
};
