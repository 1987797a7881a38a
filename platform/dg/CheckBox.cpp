#include "CheckBox.h"

#include "PanelState.h"

namespace DG {

CheckItemChangeEvent::CheckItemChangeEvent (CheckBox* source) : ItemEvent (source) {}

CheckBox* CheckItemChangeEvent::GetSource () const
{
    return static_cast<CheckBox*> (ItemEvent::GetSource ());
}

void CheckItemObserver::CheckItemChanged (const CheckItemChangeEvent&) {}

void CheckBox::SetState (bool checked)
{
    if (ItemState* s = State ())
        s->value = checked ? 1 : 0;
}

bool CheckBox::IsChecked () const
{
    const ItemState* s = State ();
    return s != nullptr && s->value != 0;
}

}   // namespace DG
