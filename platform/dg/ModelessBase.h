// DG::ModelessBase: a dialog that stays open beside the host's windows (palettes), built without
// a dialog resource at a given rectangle. It starts hidden and taking no events. Show makes it
// visible; its first Show opens it: PanelOpened from the window, then from every page on its
// roll-down surfaces in their order, then a first layout that raises PanelResized the same way
// (changes 0). Later Shows after Hide raise nothing. The user (the driver) acts on it and its
// pages only while it is shown and between BeginEventProcessing and EndEventProcessing.
//
// A window whose creation failed (CreationFailures.h) is invalid and does nothing. The object's
// maker owns it. Host main thread only.
#pragma once

#include "Dialog.h"

namespace DG {

class ModelessBase : public Dialog {
public:
    void BeginEventProcessing ();
    void EndEventProcessing ();
    bool IsProcessingEvents () const;

    void Show ();
    void Hide ();
    bool IsVisible () const;
    // Screen position of the window's top-left corner.
    Int32 GetLeft () const;
    Int32 GetTop () const;

protected:
    // `make` false builds an invalid window.
    ModelessBase (const Rect& rect, GrowType growType, CloseType closeType, CaptionType captionType,
                  FrameType frameType, bool make);
};

}   // namespace DG
