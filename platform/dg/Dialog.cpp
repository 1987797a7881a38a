#include "Dialog.h"

#include "PanelState.h"
#include "WindowState.h"

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

void Dialog::SetClientSize (Int32 width, Int32 height)
{
    Windows::Resize (GetId (), width, height);
}

void Dialog::SetGrowType (GrowType growType)
{
    if (WindowState* w = Windows::Get (GetId ()))
        w->growType = growType;
}

Dialog::GrowType Dialog::GetGrowType () const
{
    const WindowState* w = Windows::Find (GetId ());
    return w != nullptr ? static_cast<GrowType> (w->growType) : NoGrow;
}

void Dialog::EnableGrowBox ()
{
    if (WindowState* w = Windows::Get (GetId ()))
        w->growBox = true;
}

void Dialog::DisableGrowBox ()
{
    if (WindowState* w = Windows::Get (GetId ()))
        w->growBox = false;
}

bool Dialog::IsGrowBoxEnabled () const
{
    const WindowState* w = Windows::Find (GetId ());
    return IsValid () && (w == nullptr || w->growBox);
}

}   // namespace DG
