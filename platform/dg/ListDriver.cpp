#include "ListDriver.h"

#include "EventDispatch.h"
#include "ListBoxState.h"
#include "Panel.h"

#include <algorithm>

namespace DG {

ListDriver::ListDriver (const Panel& panel) : panelId (panel.GetId ()) {}

bool ListDriver::Refuse (const std::string& why)
{
    error = why;
    return false;
}

ListState* ListDriver::UsableList (Int16 item, const char* action, ItemState** state)
{
    PanelState* panel = PanelStore::Find (panelId);
    if (panel == nullptr) {
        Refuse (std::string ("cannot ") + action + ": the dialog is not open");
        return nullptr;
    }
    ItemState* s = panel->Item (item);
    const std::string what = "item " + std::to_string (item) + " of dialog " + std::to_string (panel->resourceId);
    if (s == nullptr)
        Refuse (std::string ("cannot ") + action + " " + what + ": no such item");
    else if (!s->visible)
        Refuse (std::string ("cannot ") + action + " " + what + ": it is hidden");
    else if (!s->enabled)
        Refuse (std::string ("cannot ") + action + " " + what + ": it is disabled");
    else if (!ListState::IsList (*s))
        Refuse (std::string ("cannot ") + action + " " + what + ": it is a " + ItemKindName (s->kind) + ", not a list");
    else {
        *state = s;
        return ListState::Of (*s);
    }
    return nullptr;
}

bool ListDriver::CheckRow (const ListState& list, Int16 item, Int16 row)
{
    if (list.Row (row) != nullptr)
        return true;
    return Refuse ("no row " + std::to_string (row) + " in list item " + std::to_string (item) + ": it has " +
                   std::to_string (list.rows.size ()) + " rows");
}

bool ListDriver::Click (Int16 item, Int16 row, Int32 offset, Key::Modifiers modifiers, bool twice)
{
    ItemState* state = nullptr;
    ListState* list = UsableList (item, twice ? "double-click" : "click", &state);
    if (list == nullptr || !CheckRow (*list, item, row))
        return false;
    if (offset < 0 || (state->rect.width > 0 && offset >= state->rect.width))
        return Refuse ("cannot click list item " + std::to_string (item) + " at offset " + std::to_string (offset) +
                       ": it is " + std::to_string (state->rect.width) + " wide");
    error.clear ();

    const std::vector<Int16> before = list->Selection ();
    ListRow& clicked = *list->Row (row);
    if (state->kind == ItemKind::MultiSelList && (modifiers & Key::Command) != 0) {
        clicked.selected = !clicked.selected;
    } else {
        for (ListRow& r : list->rows)
            r.selected = false;
        clicked.selected = true;
    }
    const bool changed = list->Selection () != before;

    Events::ListBoxClicked (panelId, item, row, offset, modifiers);
    if (changed)
        Events::ListBoxSelectionChanged (panelId, item);
    if (twice)
        Events::ListBoxDoubleClicked (panelId, item, row, offset, modifiers);
    return true;
}

bool ListDriver::ClickRow (Int16 item, Int16 row, Int32 offset, Key::Modifiers modifiers)
{
    return Click (item, row, offset, modifiers, false);
}

bool ListDriver::DoubleClickRow (Int16 item, Int16 row, Int32 offset, Key::Modifiers modifiers)
{
    return Click (item, row, offset, modifiers, true);
}

bool ListDriver::SelectRows (Int16 item, const std::vector<Int16>& rows)
{
    ItemState* state = nullptr;
    ListState* list = UsableList (item, "select rows of", &state);
    if (list == nullptr)
        return false;
    for (Int16 row : rows) {
        if (!CheckRow (*list, item, row))
            return false;
    }
    std::vector<Int16> wanted = rows;
    std::sort (wanted.begin (), wanted.end ());
    wanted.erase (std::unique (wanted.begin (), wanted.end ()), wanted.end ());
    if (state->kind == ItemKind::SingleSelList && wanted.size () > 1)
        return Refuse ("cannot select " + std::to_string (wanted.size ()) + " rows of list item " +
                       std::to_string (item) + ": it takes one");
    error.clear ();

    const std::vector<Int16> before = list->Selection ();
    for (ListRow& r : list->rows)
        r.selected = false;
    for (Int16 row : wanted)
        list->Row (row)->selected = true;
    if (list->Selection () != before)
        Events::ListBoxSelectionChanged (panelId, item);
    return true;
}

bool ListDriver::RequestContextMenu (Int16 item, Int16 row)
{
    ItemState* state = nullptr;
    ListState* list = UsableList (item, "open the context menu of", &state);
    if (list == nullptr || !CheckRow (*list, item, row))
        return false;
    error.clear ();
    Events::ListBoxContextMenuRequested (panelId, item, row);
    return true;
}

}   // namespace DG
