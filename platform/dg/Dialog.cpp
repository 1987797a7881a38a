#include "Dialog.h"

#include "PanelState.h"

namespace DG {

void Dialog::SetTitle (const GS::String& title)
{
    if (PanelState* s = State ())
        s->title = title.ToStd ();
}

GS::String Dialog::GetTitle () const
{
    const PanelState* s = State ();
    return s != nullptr ? GS::String (s->title) : GS::String ();
}

Int32 Dialog::GetClientWidth () const
{
    const PanelState* s = State ();
    return s != nullptr ? s->width : 0;
}

Int32 Dialog::GetClientHeight () const
{
    const PanelState* s = State ();
    return s != nullptr ? s->height : 0;
}

}   // namespace DG
