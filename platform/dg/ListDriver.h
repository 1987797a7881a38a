// DG::ListDriver: acts on a panel's list boxes as the user would, raising the events those
// actions raise (ListBoxObserver.h). Like DG::Driver it refuses what a user could not do (a
// missing, hidden or disabled item, an item that is no list, a row the list lacks, a click left of
// or beyond the list, several rows in a single-selection list): the action answers false, nothing
// changes, and GetError says why. Holds only the panel's id. Host main thread only.
//
// Selection by the user: a click selects the clicked row alone; in a multi-selection list a click
// with the command key toggles the row and keeps the others. Gray rows can be selected.
#pragma once

#include "DGTypes.h"

#include <string>
#include <vector>

namespace DG {

class Panel;
struct ItemState;
struct ListState;

class ListDriver {
public:
    explicit ListDriver (const Panel& panel);
    explicit ListDriver (Int32 panelId) : panelId (panelId) {}

    // A click on `row` at horizontal `offset` (pixels from the list's left edge): selects as
    // above, raises ListBoxClicked, then ListBoxSelectionChanged if the selection changed.
    bool ClickRow (Int16 item, Int16 row, Int32 offset = 0, Key::Modifiers modifiers = Key::NoModifier);
    // A double click: the click above, then ListBoxDoubleClicked.
    bool DoubleClickRow (Int16 item, Int16 row, Int32 offset = 0, Key::Modifiers modifiers = Key::NoModifier);
    // Makes `rows` the selection (none: an empty list of rows); ListBoxSelectionChanged when it
    // changed.
    bool SelectRows (Int16 item, const std::vector<Int16>& rows);
    bool SelectRow (Int16 item, Int16 row) { return SelectRows (item, {row}); }
    // Asks for the context menu of `row`: ListBoxContextMenuRequested. The selection stays.
    bool RequestContextMenu (Int16 item, Int16 row);

    const std::string& GetError () const { return error; }

private:
    ListState* UsableList (Int16 item, const char* action, ItemState** state);
    bool CheckRow (const ListState& list, Int16 item, Int16 row);
    bool Click (Int16 item, Int16 row, Int32 offset, Key::Modifiers modifiers, bool twice);
    bool Refuse (const std::string& why);

    Int32 panelId;
    std::string error;
};

}   // namespace DG
