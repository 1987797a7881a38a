#include "IntEdit.h"

#include "PanelState.h"

namespace DG {

IntEditChangeEvent::IntEditChangeEvent (IntEdit* source, Int32 previousValue)
    : ItemEvent (source), previousValue (previousValue)
{
}

IntEdit* IntEditChangeEvent::GetSource () const
{
    return static_cast<IntEdit*> (ItemEvent::GetSource ());
}

void IntEditObserver::IntEditChanged (const IntEditChangeEvent&) {}

Int32 IntEdit::GetValue () const
{
    const ItemState* s = State ();
    return s != nullptr && s->kind == ItemKind::IntEdit ? s->value : 0;
}

void IntEdit::SetValue (Int32 value)
{
    ItemState* s = State ();
    if (s != nullptr && s->kind == ItemKind::IntEdit)
        s->value = value;
}

}   // namespace DG
