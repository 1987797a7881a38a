// DG::Palette: the modeless window an add-on docks beside the host's windows, known to the host
// by its GUID. Built at a rectangle (its client area) with grow, close, caption and frame types
// (Dialog.h): the grow type says in which directions the user may resize it, a close type with
// the CloseBox flag gives it a close box whose press raises PanelCloseRequested (the add-on
// decides; the palette does not close itself). Showing, hiding and event processing: ModelessBase.
//
// An armed creation switch (CreationFailures.h) makes an invalid palette. The maker owns it.
// Host main thread only.
#pragma once

#include "ModelessBase.h"
#include "gs/Guid.h"

namespace DG {

class Palette : public ModelessBase {
public:
    Palette (const Rect& rect, const GS::Guid& guid, GrowType growType = NoGrow, CloseType closeType = NoCloseBox,
             CaptionType captionType = TopCaption, FrameType frameType = NormalFrame);

    GS::Guid GetGuid () const;
    CloseType GetCloseType () const;
    CaptionType GetCaptionType () const;
    FrameType GetFrameType () const;
};

}   // namespace DG
