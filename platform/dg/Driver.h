// DG::Driver: acts on a panel as the user would, raising the events a user action raises. It
// refuses what a user could not do (a missing, hidden or disabled item, an item of another kind,
// an unregistered key, a palette that is hidden or takes no events, a palette's missing close
// box): the action answers false, nothing changes, and GetError says why.
// Holds only the panel's id, so a driver outlives its panel harmlessly. Host main thread only.
#pragma once

#include "DGTypes.h"

#include <string>

namespace DG {

class Panel;
struct ItemState;

class Driver {
public:
    explicit Driver (const Panel& panel);
    explicit Driver (Int32 panelId) : panelId (panelId) {}

    Int32 GetPanelId () const { return panelId; }

    // A click: a button raises ButtonClicked; a check box toggles and raises CheckItemChanged.
    bool Click (Int16 item);
    // Ticks or unticks a check box; a box already so is left alone (no event), answering true.
    bool SetCheck (Int16 item, bool checked);
    // Presses a key; answers true when it is a registered hot key and hot keys are enabled.
    bool PressKey (Key::Code key, Key::Modifiers modifiers = Key::NoModifier);
    // The close box: raises PanelCloseRequested; an accepted request closes an open modal dialog
    // with Cancel. Answers whether the request was accepted.
    bool CloseBox ();

    // Settings items (DriverActions.cpp). Selects a radio: RadioItemChanged when it was not
    // selected. Types a number into an integer edit: IntEditChanged with the value before, when
    // it differs. Chooses pop-up entry `entry` (from 1): PopUpChanged when another was selected.
    bool SelectRadio (Int16 item);
    bool TypeValue (Int16 item, Int32 value);
    bool ChooseEntry (Int16 item, Int16 entry);
    // Drags the window's frame, or a roll-down page's lower edge, to a new size: PanelResized as
    // after Dialog::SetClientSize. Refused against a dialog's grow type, a page's fixed height or
    // a change of a page's width (it follows its palette).
    bool Resize (Int32 width, Int32 height);

    // Why the last refused action was refused; empty after a successful one.
    const std::string& GetError () const { return error; }

private:
    ItemState* Usable (Int16 item, const char* action);
    bool Refuse (const std::string& why);

    Int32 panelId;
    std::string error;
};

}   // namespace DG
