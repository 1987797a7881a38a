#include "RadioButton.h"

#include "PanelState.h"

namespace DG {

RadioItemChangeEvent::RadioItemChangeEvent (RadioButton* source) : ItemEvent (source) {}

RadioButton* RadioItemChangeEvent::GetSource () const
{
    return static_cast<RadioButton*> (ItemEvent::GetSource ());
}

void RadioItemObserver::RadioItemChanged (const RadioItemChangeEvent&) {}

bool RadioButton::SelectInGroup (Int32 panelId, Int16 item)
{
    PanelState* panel = PanelStore::Find (panelId);
    ItemState* chosen = panel != nullptr ? panel->Item (item) : nullptr;
    if (chosen == nullptr || chosen->kind != ItemKind::RadioButton)
        return false;
    const bool changed = chosen->value == 0;
    for (ItemState& other : panel->items) {
        if (other.kind == ItemKind::RadioButton && other.group == chosen->group)
            other.value = 0;
    }
    chosen->value = 1;
    return changed;
}

void RadioButton::Select ()
{
    SelectInGroup (GetPanelId (), GetId ());
}

bool RadioButton::IsSelected () const
{
    const ItemState* s = State ();
    return s != nullptr && s->kind == ItemKind::RadioButton && s->value != 0;
}

}   // namespace DG
