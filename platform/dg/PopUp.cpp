#include "PopUp.h"

#include "PanelState.h"

namespace DG {

PopUpChangeEvent::PopUpChangeEvent (PopUp* source, Int16 previousItem) : ItemEvent (source), previousItem (previousItem)
{
}

PopUp* PopUpChangeEvent::GetSource () const
{
    return static_cast<PopUp*> (ItemEvent::GetSource ());
}

void PopUpObserver::PopUpChanged (const PopUpChangeEvent&) {}

ItemState* PopUp::PopUpState () const
{
    ItemState* s = State ();
    return s != nullptr && s->kind == ItemKind::PopUp ? s : nullptr;
}

Int16 PopUp::GetItemCount () const
{
    const ItemState* s = PopUpState ();
    return s != nullptr ? static_cast<Int16> (s->entries.size ()) : 0;
}

void PopUp::AppendItem ()
{
    InsertItem (static_cast<Int16> (GetItemCount () + 1));
}

void PopUp::InsertItem (Int16 entry)
{
    ItemState* s = PopUpState ();
    if (s == nullptr || entry < 1 || entry > static_cast<Int32> (s->entries.size ()) + 1)
        return;
    s->entries.insert (s->entries.begin () + (entry - 1), std::string ());
    if (s->value == 0)
        s->value = 1;
    else if (s->value >= entry)
        ++s->value;
}

void PopUp::DeleteItem (Int16 entry)
{
    ItemState* s = PopUpState ();
    if (s == nullptr)
        return;
    if (entry == 0) {
        s->entries.clear ();
        s->value = 0;
        return;
    }
    if (entry < 1 || entry > static_cast<Int32> (s->entries.size ()))
        return;
    s->entries.erase (s->entries.begin () + (entry - 1));
    if (s->value == entry)
        s->value = s->entries.empty () ? 0 : 1;
    else if (s->value > entry)
        --s->value;
}

void PopUp::SetItemText (Int16 entry, const GS::String& text)
{
    ItemState* s = PopUpState ();
    if (s != nullptr && entry >= 1 && entry <= static_cast<Int32> (s->entries.size ()))
        s->entries[static_cast<size_t> (entry - 1)] = text.ToStd ();
}

GS::String PopUp::GetItemText (Int16 entry) const
{
    const ItemState* s = PopUpState ();
    if (s == nullptr || entry < 1 || entry > static_cast<Int32> (s->entries.size ()))
        return GS::String ();
    return GS::String (s->entries[static_cast<size_t> (entry - 1)]);
}

Int16 PopUp::GetSelectedItem () const
{
    const ItemState* s = PopUpState ();
    return s != nullptr ? static_cast<Int16> (s->value) : 0;
}

void PopUp::SelectItem (Int16 entry)
{
    ItemState* s = PopUpState ();
    if (s != nullptr && entry >= 1 && entry <= static_cast<Int32> (s->entries.size ()))
        s->value = entry;
}

}   // namespace DG
