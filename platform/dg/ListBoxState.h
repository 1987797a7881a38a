// The state of one list box item, kept in its ItemState (PanelState.h) and shared by every
// ListBox object, driver and renderer on that item: tab fields, rows with a text and an icon per
// tab field, a 32-bit value, a gray flag and a selected flag, and the scroll position. Rows and
// tab fields count from 1 in the interface; here they are vector positions from 0.
//
// Of answers the state of a list item, made on first use with one tab field across the item
// width; it answers null for an item that is not a list. Host main thread only.
#pragma once

#include "Icon.h"
#include "PanelState.h"

#include <string>
#include <vector>

namespace DG {

struct ListTabField {
    Int16 begin = 0, end = 0;   // pixels from the list's left edge; begin == end: not shown
    Int32 justification = 0;    // ListBox::Justification
    Int32 truncation = 0;       // ListBox::Truncation
};

struct ListCell {
    std::string text;
    Icon icon;
};

struct ListRow {
    std::vector<ListCell> cells;   // one per tab field
    Int32 value = 0;
    bool grayed = false;
    bool selected = false;
};

struct ListState {
    std::vector<ListTabField> tabs;
    std::vector<ListRow> rows;
    Int16 scrollPosition = 1;   // the top visible row

    // The width a list's rows have: the item's width less its vertical scroll bar.
    static constexpr Int32 ScrollBarWidth = 16;
    static Int32 ItemWidth (const ItemState& item);

    static bool IsList (const ItemState& item);
    static ListState* Of (ItemState& item);
    // The state if made already, else null (reading never makes one).
    static const ListState* Peek (const ItemState& item);

    // Row `row` (from 1), or null.
    ListRow* Row (Int32 row);
    const ListRow* Row (Int32 row) const;
    // Selected rows, from 1, in list order.
    std::vector<Int16> Selection () const;
};

}   // namespace DG
