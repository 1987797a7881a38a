#include "Palette.h"

#include "CreationFailures.h"
#include "WindowState.h"

namespace DG {

Palette::Palette (const Rect& rect, const GS::Guid& guid, GrowType growType, CloseType closeType,
                  CaptionType captionType, FrameType frameType)
    : ModelessBase (rect, growType, closeType, captionType, frameType, !CreationFails (Creation::Palette))
{
    if (WindowState* w = Windows::Get (GetId ()))
        w->guid = guid;
}

GS::Guid Palette::GetGuid () const
{
    const WindowState* w = Windows::Find (GetId ());
    return w != nullptr ? w->guid : GS::Guid ();
}

Dialog::CloseType Palette::GetCloseType () const
{
    const WindowState* w = Windows::Find (GetId ());
    return static_cast<CloseType> (w != nullptr ? w->closeType : 0);
}

Dialog::CaptionType Palette::GetCaptionType () const
{
    const WindowState* w = Windows::Find (GetId ());
    return static_cast<CaptionType> (w != nullptr ? w->captionType : 0);
}

Dialog::FrameType Palette::GetFrameType () const
{
    const WindowState* w = Windows::Find (GetId ());
    return static_cast<FrameType> (w != nullptr ? w->frameType : 0);
}

}   // namespace DG
