// DG::Dialog: a panel that is a window of its own, with a title; the base of modal dialogs and,
// later, palettes. The title starts as the dialog resource's. Host main thread only.
#pragma once

#include "Panel.h"

namespace DG {

class Dialog : public Panel {
public:
    using Panel::Panel;

    void SetTitle (const GS::String& title);
    GS::String GetTitle () const;
    Int32 GetClientWidth () const;
    Int32 GetClientHeight () const;
};

}   // namespace DG
