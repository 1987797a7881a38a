#include "ListBoxObserver.h"

#include "ListBox.h"

namespace DG {

ListBoxSelectionEvent::ListBoxSelectionEvent (ListBox* source) : ItemEvent (source) {}

ListBox* ListBoxSelectionEvent::GetSource () const
{
    return static_cast<ListBox*> (ItemEvent::GetSource ());
}

ListBoxMouseEvent::ListBoxMouseEvent (ListBox* source, Int16 row, Int32 offset, Key::Modifiers modifiers)
    : ItemEvent (source), row (row), offset (offset), modifiers (modifiers)
{
}

ListBox* ListBoxMouseEvent::GetSource () const
{
    return static_cast<ListBox*> (ItemEvent::GetSource ());
}

ListBoxContextMenuEvent::ListBoxContextMenuEvent (ListBox* source, Int16 row) : ItemEvent (source), row (row) {}

ListBox* ListBoxContextMenuEvent::GetSource () const
{
    return static_cast<ListBox*> (ItemEvent::GetSource ());
}

void ListBoxObserver::ListBoxSelectionChanged (const ListBoxSelectionEvent&) {}

void ListBoxObserver::ListBoxClicked (const ListBoxClickEvent&) {}

void ListBoxObserver::ListBoxDoubleClicked (const ListBoxDoubleClickEvent&) {}

void ListBoxObserver::ListBoxContextMenuRequested (const ListBoxContextMenuEvent&) {}

}   // namespace DG
