#include "ListBox.h"

#include "ListBoxState.h"

#include <algorithm>
#include <limits>

namespace DG {

namespace {

constexpr size_t MaxRows = std::numeric_limits<Int16>::max ();

ListCell* Cell (ListState* list, Int16 row, Int16 tab)
{
    ListRow* r = list != nullptr ? list->Row (row) : nullptr;
    if (r == nullptr || tab < 1 || static_cast<size_t> (tab) > r->cells.size ())
        return nullptr;
    return &r->cells[static_cast<size_t> (tab - 1)];
}

ListTabField* Tab (ListState* list, Int16 tab)
{
    if (list == nullptr || tab < 1 || static_cast<size_t> (tab) > list->tabs.size ())
        return nullptr;
    return &list->tabs[static_cast<size_t> (tab - 1)];
}

}   // namespace

ListState* ListBox::List () const
{
    ItemState* s = State ();
    return s != nullptr ? ListState::Of (*s) : nullptr;
}

Int16 ListBox::GetItemCount () const
{
    const ListState* list = List ();
    return list != nullptr ? static_cast<Int16> (list->rows.size ()) : 0;
}

void ListBox::InsertItem (Int16 row)
{
    ListState* list = List ();
    if (list == nullptr || row < 1 || static_cast<size_t> (row) > list->rows.size () + 1 ||
        list->rows.size () >= MaxRows)
        return;
    ListRow fresh;
    fresh.cells.resize (list->tabs.size ());
    list->rows.insert (list->rows.begin () + (row - 1), fresh);
}

void ListBox::AppendItem ()
{
    InsertItem (static_cast<Int16> (GetItemCount () + 1));
}

void ListBox::DeleteItem (Int16 row)
{
    ListState* list = List ();
    if (list == nullptr)
        return;
    if (row == 0)
        list->rows.clear ();
    else if (list->Row (row) != nullptr)
        list->rows.erase (list->rows.begin () + (row - 1));
    else
        return;
    const Int16 count = static_cast<Int16> (list->rows.size ());
    list->scrollPosition = std::max<Int16> (1, std::min (list->scrollPosition, count));
}

void ListBox::SetTabFieldCount (Int16 count)
{
    ListState* list = List ();
    if (list == nullptr || count < 0)
        return;
    list->tabs.resize (static_cast<size_t> (count));
    for (ListRow& r : list->rows)
        r.cells.resize (static_cast<size_t> (count));
}

Int16 ListBox::GetTabFieldCount () const
{
    const ListState* list = List ();
    return list != nullptr ? static_cast<Int16> (list->tabs.size ()) : 0;
}

void ListBox::SetTabFieldProperties (Int16 tab, Int16 begin, Int16 end, Justification just, Truncation trunc)
{
    if (ListTabField* t = Tab (List (), tab))
        *t = ListTabField{begin, end, just, trunc};
}

void ListBox::SetTabFieldBeginEndPosition (Int16 tab, Int16 begin, Int16 end)
{
    if (ListTabField* t = Tab (List (), tab)) {
        t->begin = begin;
        t->end = end;
    }
}

void ListBox::SetTabFieldBeginPosition (Int16 tab, Int16 begin)
{
    if (ListTabField* t = Tab (List (), tab))
        t->begin = begin;
}

void ListBox::SetTabFieldEndPosition (Int16 tab, Int16 end)
{
    if (ListTabField* t = Tab (List (), tab))
        t->end = end;
}

Int16 ListBox::GetTabFieldBeginPosition (Int16 tab) const
{
    const ListTabField* t = Tab (List (), tab);
    return t != nullptr ? t->begin : 0;
}

Int16 ListBox::GetTabFieldEndPosition (Int16 tab) const
{
    const ListTabField* t = Tab (List (), tab);
    return t != nullptr ? t->end : 0;
}

void ListBox::SetTabFieldJustification (Int16 tab, Justification just)
{
    if (ListTabField* t = Tab (List (), tab))
        t->justification = just;
}

ListBox::Justification ListBox::GetTabFieldJustification (Int16 tab) const
{
    const ListTabField* t = Tab (List (), tab);
    return t != nullptr ? static_cast<Justification> (t->justification) : DefaultJust;
}

void ListBox::SetTabFieldTruncation (Int16 tab, Truncation trunc)
{
    if (ListTabField* t = Tab (List (), tab))
        t->truncation = trunc;
}

ListBox::Truncation ListBox::GetTabFieldTruncation (Int16 tab) const
{
    const ListTabField* t = Tab (List (), tab);
    return t != nullptr ? static_cast<Truncation> (t->truncation) : NoTruncate;
}

void ListBox::SetTabItemText (Int16 row, Int16 tab, const GS::String& text)
{
    if (ListCell* c = Cell (List (), row, tab))
        c->text = text.ToStd ();
}

GS::String ListBox::GetTabItemText (Int16 row, Int16 tab) const
{
    const ListCell* c = Cell (List (), row, tab);
    return c != nullptr ? GS::String (c->text) : GS::String ();
}

void ListBox::SetTabItemIcon (Int16 row, Int16 tab, const Icon& icon)
{
    if (ListCell* c = Cell (List (), row, tab))
        c->icon = icon;
}

Icon ListBox::GetTabItemIcon (Int16 row, Int16 tab) const
{
    const ListCell* c = Cell (List (), row, tab);
    return c != nullptr ? c->icon : Icon ();
}

void ListBox::SetItemValue (Int16 row, Int32 value)
{
    ListState* list = List ();
    if (ListRow* r = list != nullptr ? list->Row (row) : nullptr)
        r->value = value;
}

Int32 ListBox::GetItemValue (Int16 row) const
{
    const ListState* list = List ();
    const ListRow* r = list != nullptr ? list->Row (row) : nullptr;
    return r != nullptr ? r->value : 0;
}

void ListBox::GrayItem (Int16 row)
{
    ListState* list = List ();
    if (ListRow* r = list != nullptr ? list->Row (row) : nullptr)
        r->grayed = true;
}

void ListBox::NormalItem (Int16 row)
{
    ListState* list = List ();
    if (ListRow* r = list != nullptr ? list->Row (row) : nullptr)
        r->grayed = false;
}

bool ListBox::IsItemGrayed (Int16 row) const
{
    const ListState* list = List ();
    const ListRow* r = list != nullptr ? list->Row (row) : nullptr;
    return r != nullptr && r->grayed;
}

void ListBox::SelectItem (Int16 row)
{
    ListState* list = List ();
    ListRow* r = list != nullptr ? list->Row (row) : nullptr;
    if (r == nullptr)
        return;
    if (GetKind () == ItemKind::SingleSelList) {
        for (ListRow& other : list->rows)
            other.selected = false;
    }
    r->selected = true;
}

void ListBox::DeselectItem (Int16 row)
{
    ListState* list = List ();
    if (list == nullptr)
        return;
    if (row == 0) {
        for (ListRow& r : list->rows)
            r.selected = false;
    } else if (ListRow* r = list->Row (row)) {
        r->selected = false;
    }
}

Int16 ListBox::GetSelectedItem () const
{
    const ListState* list = List ();
    if (list == nullptr)
        return 0;
    const std::vector<Int16> selected = list->Selection ();
    return selected.empty () ? 0 : selected.front ();
}

Int16 ListBox::GetSelectedCount () const
{
    const ListState* list = List ();
    return list != nullptr ? static_cast<Int16> (list->Selection ().size ()) : 0;
}

bool ListBox::IsItemSelected (Int16 row) const
{
    const ListState* list = List ();
    const ListRow* r = list != nullptr ? list->Row (row) : nullptr;
    return r != nullptr && r->selected;
}

void ListBox::SetScrollPosition (Int16 row)
{
    if (ListState* list = List ()) {
        const Int16 count = static_cast<Int16> (list->rows.size ());
        list->scrollPosition = std::max<Int16> (1, std::min (row, count));
    }
}

Int16 ListBox::GetScrollPosition () const
{
    const ListState* list = List ();
    return list != nullptr ? list->scrollPosition : 1;
}

Int32 ListBox::GetItemWidth () const
{
    const ItemState* s = State ();
    return s != nullptr && ListState::IsList (*s) ? ListState::ItemWidth (*s) : 0;
}

GS::Array<Int16> MultiSelListBox::GetSelectedItems () const
{
    GS::Array<Int16> out;
    if (const ListState* list = List ()) {
        for (Int16 row : list->Selection ())
            out.Push (row);
    }
    return out;
}

}   // namespace DG
