#include "Driver.h"

#include "EventDispatch.h"
#include "Panel.h"
#include "PanelState.h"
#include "WindowState.h"

namespace DG {

Driver::Driver (const Panel& panel) : panelId (panel.GetId ()) {}

bool Driver::Refuse (const std::string& why)
{
    error = why;
    return false;
}

ItemState* Driver::Usable (Int16 item, const char* action)
{
    PanelState* panel = PanelStore::Find (panelId);
    if (panel == nullptr) {
        Refuse (std::string ("cannot ") + action + ": the dialog is not open");
        return nullptr;
    }
    ItemState* state = panel->Item (item);
    const std::string what = "item " + std::to_string (item) + " of dialog " + std::to_string (panel->resourceId);
    const std::string closed = Windows::WhyUserCannotAct (panelId);
    if (!closed.empty ())
        Refuse (std::string ("cannot ") + action + " " + what + ": " + closed);
    else if (state == nullptr)
        Refuse (std::string ("cannot ") + action + " " + what + ": no such item");
    else if (!state->visible)
        Refuse (std::string ("cannot ") + action + " " + what + ": it is hidden");
    else if (!state->enabled || Windows::ItemsDisabled (panelId))
        Refuse (std::string ("cannot ") + action + " " + what + ": it is disabled");
    else
        return state;
    return nullptr;
}

bool Driver::Click (Int16 item)
{
    ItemState* state = Usable (item, "click");
    if (state == nullptr)
        return false;
    error.clear ();
    switch (state->kind) {
    case ItemKind::Button:
        Events::ButtonClicked (panelId, item);
        return true;
    case ItemKind::CheckBox:
        state->value = state->value != 0 ? 0 : 1;
        Events::CheckItemChanged (panelId, item);
        return true;
    default:
        return Refuse ("cannot click item " + std::to_string (item) + ": a " + ItemKindName (state->kind) +
                       " is not clicked");
    }
}

bool Driver::SetCheck (Int16 item, bool checked)
{
    ItemState* state = Usable (item, checked ? "tick" : "untick");
    if (state == nullptr)
        return false;
    if (state->kind != ItemKind::CheckBox)
        return Refuse ("cannot tick item " + std::to_string (item) + ": it is a " + ItemKindName (state->kind) +
                       ", not a checkbox");
    error.clear ();
    if ((state->value != 0) == checked)
        return true;
    state->value = checked ? 1 : 0;
    Events::CheckItemChanged (panelId, item);
    return true;
}

bool Driver::PressKey (Key::Code key, Key::Modifiers modifiers)
{
    PanelState* panel = PanelStore::Find (panelId);
    if (panel == nullptr)
        return Refuse ("cannot press a key: the dialog is not open");
    if (const std::string closed = Windows::WhyUserCannotAct (panelId); !closed.empty ())
        return Refuse ("cannot press a key: " + closed);
    if (!panel->hotKeysEnabled)
        return Refuse ("cannot press a key: the dialog takes no hot keys");
    for (const HotKey& k : panel->hotKeys) {
        if (k.key == key && k.modifiers == modifiers) {
            error.clear ();
            Events::PanelHotkeyPressed (panelId, k.id);
            return true;
        }
    }
    return Refuse ("cannot press key " + std::to_string (key) + ": it is not a hot key of the dialog");
}

bool Driver::CloseBox ()
{
    if (PanelStore::Find (panelId) == nullptr)
        return Refuse ("cannot close: the dialog is not open");
    if (const std::string closed = Windows::WhyUserCannotAct (panelId); !closed.empty ())
        return Refuse ("cannot close: " + closed);
    if (!Windows::HasCloseBox (panelId))
        return Refuse ("cannot close: the palette has no close box");
    error.clear ();
    const bool accepted = Events::PanelCloseRequested (panelId);
    PanelState* panel = PanelStore::Find (panelId);
    if (accepted && panel != nullptr && panel->modal && panel->open && panel->closeResponse == 0)
        panel->closeResponse = Cancel;
    return accepted;
}

}   // namespace DG
