#include "IconItem.h"

#include "PanelState.h"

namespace DG {

Int32 IconItem::GetIconId () const
{
    const ItemState* s = State ();
    return s != nullptr ? s->iconId : -1;
}

void IconItem::SetIconId (Int32 iconId)
{
    if (ItemState* s = State ())
        s->iconId = iconId;
}

}   // namespace DG
