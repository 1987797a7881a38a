// List box items: DG::ListBox, the common part, and the two kinds a dialog resource names,
// DG::SingleSelListBox ("singlelist": at most one selected row) and DG::MultiSelListBox
// ("multilist"). Rows and tab fields count from 1. A row has a text and an icon (DG::Icon) per tab
// field, a 32-bit value and a gray state; gray only changes how a row reads, a grayed row can
// still be selected. Tab fields have begin and end positions in pixels from the list's left edge,
// a justification and a truncation. A new list has one tab field across its item width.
//
// Like every item object this one keeps no state: it reads and writes the item's ListState, so
// several objects on one list agree. Nothing set by code raises an event; user actions come
// through ListDriver (ListDriver.h). A row or tab field out of range, an item that is no list, an
// invalid or destroyed panel: the call does nothing and answers a neutral value (0, "", no icon,
// not grayed). Host main thread only.
#pragma once

#include "Icon.h"
#include "Item.h"
#include "ListBoxObserver.h"

#include "gs/Array.h"

namespace DG {

struct ListState;

class ListBox : public Item {
public:
    enum Justification : Int32 { DefaultJust = 0, Left = 128, Center = 256, Right = 512 };
    enum Truncation : Int32 { NoTruncate = 0, EndTruncate = 4096, MiddleTruncate = 8192 };

    // Rows.
    Int16 GetItemCount () const;
    // Inserts an empty row at `row` (1 .. count + 1); the rows from there move down one.
    void InsertItem (Int16 row);
    void AppendItem ();
    // Deletes row `row`; 0 deletes every row.
    void DeleteItem (Int16 row);

    // Tab fields. A new tab field has begin and end 0 (not shown) until given positions; every
    // row gets an empty cell for it. Fewer tab fields drop the cells of the removed ones.
    void SetTabFieldCount (Int16 count);
    Int16 GetTabFieldCount () const;
    void SetTabFieldProperties (Int16 tab, Int16 begin, Int16 end, Justification just, Truncation trunc);
    void SetTabFieldBeginEndPosition (Int16 tab, Int16 begin, Int16 end);
    void SetTabFieldBeginPosition (Int16 tab, Int16 begin);
    void SetTabFieldEndPosition (Int16 tab, Int16 end);
    Int16 GetTabFieldBeginPosition (Int16 tab) const;
    Int16 GetTabFieldEndPosition (Int16 tab) const;
    void SetTabFieldJustification (Int16 tab, Justification just);
    Justification GetTabFieldJustification (Int16 tab) const;
    void SetTabFieldTruncation (Int16 tab, Truncation trunc);
    Truncation GetTabFieldTruncation (Int16 tab) const;

    // A row's cells.
    void SetTabItemText (Int16 row, Int16 tab, const GS::String& text);
    GS::String GetTabItemText (Int16 row, Int16 tab) const;
    void SetTabItemIcon (Int16 row, Int16 tab, const Icon& icon);
    Icon GetTabItemIcon (Int16 row, Int16 tab) const;

    // A row's value and gray state.
    void SetItemValue (Int16 row, Int32 value);
    Int32 GetItemValue (Int16 row) const;
    void GrayItem (Int16 row);
    void NormalItem (Int16 row);
    bool IsItemGrayed (Int16 row) const;

    // Selection. SelectItem adds a row (a single-selection list first drops its other row);
    // DeselectItem drops one, 0 drops all. GetSelectedItem answers the first selected row, 0 for
    // none.
    void SelectItem (Int16 row);
    void DeselectItem (Int16 row);
    Int16 GetSelectedItem () const;
    Int16 GetSelectedCount () const;
    bool IsItemSelected (Int16 row) const;

    // The top visible row, 1 .. count (1 for an empty list).
    void SetScrollPosition (Int16 row);
    Int16 GetScrollPosition () const;
    // The width of the rows: the item's width less its scroll bar.
    Int32 GetItemWidth () const;

    void Attach (ListBoxObserver& observer) { AttachObserver (observer); }
    void Detach (ListBoxObserver& observer) { DetachObserver (observer); }

protected:
    ListBox (const Panel& panel, Int16 item) : Item (panel, item) {}

    // The list's state, made on first use; null when the item is missing or no list.
    ListState* List () const;
};

class SingleSelListBox : public ListBox {
public:
    SingleSelListBox (const Panel& panel, Int16 item) : ListBox (panel, item) {}
};

class MultiSelListBox : public ListBox {
public:
    MultiSelListBox (const Panel& panel, Int16 item) : ListBox (panel, item) {}

    // The selected rows in list order.
    GS::Array<Int16> GetSelectedItems () const;
};

}   // namespace DG
