// DG::Dialog: a panel that is a window of its own, with a title; the base of modal dialogs and
// palettes. The title starts as the dialog resource's. A dialog's frame: its grow type (in which
// directions the user may resize it), a grow box (the corner handle, only drawn; the edges resize
// in the grow type's directions all the same), close, caption and frame types (Palette.h).
// SetClientSize resizes it from code and, like a resize by the user, raises PanelResized and lays
// out the roll-down surfaces on it (WindowState.h). Host main thread only.
#pragma once

#include "Panel.h"

namespace DG {

class Dialog : public Panel {
public:
    using Panel::Panel;

    enum GrowType : Int32 { NoGrow = 0, HGrow = 1, VGrow = 2, HVGrow = 3 };
    // A flag word: CloseBox gives the window a close box; other bits mean nothing here.
    enum CloseType : Int32 { NoCloseBox = 0, CloseBox = 4 };
    enum CaptionType : Int32 { TopCaption = 0, LeftCaption = 1, NoCaption = 2 };
    enum FrameType : Int32 { NormalFrame = 0, ThickFrame = 1, NoFrame = 2 };

    void SetTitle (const GS::String& title);
    GS::String GetTitle () const;
    Int32 GetClientWidth () const;
    Int32 GetClientHeight () const;
    void SetClientSize (Int32 width, Int32 height);

    void SetGrowType (GrowType growType);
    GrowType GetGrowType () const;
    void EnableGrowBox ();
    void DisableGrowBox ();
    bool IsGrowBoxEnabled () const;
};

}   // namespace DG
