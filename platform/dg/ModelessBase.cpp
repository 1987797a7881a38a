#include "ModelessBase.h"

#include "EventDispatch.h"
#include "RollDownSurface.h"
#include "WindowState.h"

namespace DG {

ModelessBase::ModelessBase (const Rect& rect, GrowType growType, CloseType closeType, CaptionType captionType,
                            FrameType frameType, bool make)
    : Dialog (rect.width > 0 ? rect.width : 0, rect.height > 0 ? rect.height : 0, make)
{
    WindowState* w = Windows::Get (GetId ());
    if (w == nullptr)
        return;
    w->modeless = true;
    w->left = rect.left;
    w->top = rect.top;
    w->growType = growType;
    w->closeType = closeType;
    w->captionType = captionType;
    w->frameType = frameType;
}

void ModelessBase::BeginEventProcessing ()
{
    if (WindowState* w = Windows::Get (GetId ()))
        w->processing = true;
}

void ModelessBase::EndEventProcessing ()
{
    if (WindowState* w = Windows::Get (GetId ()))
        w->processing = false;
}

bool ModelessBase::IsProcessingEvents () const
{
    const WindowState* w = Windows::Find (GetId ());
    return w != nullptr && w->processing;
}

void ModelessBase::Show ()
{
    WindowState* w = Windows::Get (GetId ());
    if (w == nullptr)
        return;
    w->shown = true;
    if (w->opened)
        return;
    w->opened = true;
    const Int32 id = GetId ();
    const std::vector<Int32> pages = UD::PagesOnDialog (id);
    Events::PanelOpened (id);
    for (Int32 page : pages)
        Events::PanelOpened (page);
    Windows::LayOutAll (id);
}

void ModelessBase::Hide ()
{
    if (WindowState* w = Windows::Get (GetId ()))
        w->shown = false;
}

bool ModelessBase::IsVisible () const
{
    const WindowState* w = Windows::Find (GetId ());
    return w != nullptr && w->shown;
}

Int32 ModelessBase::GetLeft () const
{
    const WindowState* w = Windows::Find (GetId ());
    return w != nullptr ? w->left : 0;
}

Int32 ModelessBase::GetTop () const
{
    const WindowState* w = Windows::Find (GetId ());
    return w != nullptr ? w->top : 0;
}

}   // namespace DG
