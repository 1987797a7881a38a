// The driver's actions on settings items and sizes: radios, integer edits, pop-ups, resizing a
// window or a roll-down page. Declared in Driver.h.
#include "Driver.h"

#include "Dialog.h"
#include "EventDispatch.h"
#include "PanelState.h"
#include "RadioButton.h"
#include "RollDownSurface.h"
#include "WindowState.h"

namespace DG {

namespace {

std::string WrongKind (const char* action, Int16 item, ItemKind kind, const char* wanted)
{
    return std::string ("cannot ") + action + " item " + std::to_string (item) + ": it is a " + ItemKindName (kind) +
           ", not a " + wanted;
}

}   // namespace

bool Driver::SelectRadio (Int16 item)
{
    ItemState* state = Usable (item, "select");
    if (state == nullptr)
        return false;
    if (state->kind != ItemKind::RadioButton)
        return Refuse (WrongKind ("select", item, state->kind, "radio"));
    error.clear ();
    if (RadioButton::SelectInGroup (panelId, item))
        Events::RadioItemChanged (panelId, item);
    return true;
}

bool Driver::TypeValue (Int16 item, Int32 value)
{
    ItemState* state = Usable (item, "type into");
    if (state == nullptr)
        return false;
    if (state->kind != ItemKind::IntEdit)
        return Refuse (WrongKind ("type into", item, state->kind, "intedit"));
    error.clear ();
    const Int32 previous = state->value;
    if (previous == value)
        return true;
    state->value = value;
    Events::IntEditChanged (panelId, item, previous);
    return true;
}

bool Driver::ChooseEntry (Int16 item, Int16 entry)
{
    ItemState* state = Usable (item, "choose from");
    if (state == nullptr)
        return false;
    if (state->kind != ItemKind::PopUp)
        return Refuse (WrongKind ("choose from", item, state->kind, "popup"));
    if (entry < 1 || entry > static_cast<Int32> (state->entries.size ()))
        return Refuse ("cannot choose entry " + std::to_string (entry) + " of item " + std::to_string (item) +
                       ": the pop-up has " + std::to_string (state->entries.size ()) + " entries");
    error.clear ();
    const Int32 previous = state->value;
    if (previous == entry)
        return true;
    state->value = entry;
    Events::PopUpChanged (panelId, item, static_cast<Int16> (previous));
    return true;
}

bool Driver::Resize (Int32 width, Int32 height)
{
    const PanelState* panel = PanelStore::Find (panelId);
    if (panel == nullptr)
        return Refuse ("cannot resize: the dialog is not open");
    if (const std::string closed = Windows::WhyUserCannotAct (panelId); !closed.empty ())
        return Refuse ("cannot resize: " + closed);
    if (width < 0 || height < 0)
        return Refuse ("cannot resize to " + std::to_string (width) + " x " + std::to_string (height) +
                       ": a size is not negative");
    const WindowState* window = Windows::Find (panelId);
    if (window != nullptr && window->tabControlId != 0) {
        if (width != panel->width)
            return Refuse ("cannot resize a page's width: it follows its palette");
        const UD::IRollPanel* roll = UD::FindPanelOfTabControl (window->tabControlId);
        if (roll != nullptr && roll->IsHeightFixed () && height != panel->height)
            return Refuse ("cannot resize the page: its roll panel has a fixed height");
    } else {
        const Int32 grow = window != nullptr ? window->growType : Dialog::NoGrow;
        if (width != panel->width && (grow & Dialog::HGrow) == 0)
            return Refuse ("cannot resize the dialog's width: it does not grow horizontally");
        if (height != panel->height && (grow & Dialog::VGrow) == 0)
            return Refuse ("cannot resize the dialog's height: it does not grow vertically");
    }
    error.clear ();
    Windows::Resize (panelId, width, height);
    return true;
}

}   // namespace DG
