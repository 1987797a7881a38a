// The window side of a panel's state: the frame of a dialog (position, grow, close, caption and
// frame types), what a modeless window is (shown, opened, taking events, its GUID) and where a tab
// page sits (its dialog, tab control and tab index). Kept in PanelState::window, made on first use
// and gone with the panel.
//
// Also the two rules every window follows: who may act as the user on a panel (a palette and its
// pages only while the palette is shown and processing events), and what a resize does (new
// size, PanelResized from the panel, then the roll-down surfaces on a dialog laid out, each page
// whose size changed raising its own PanelResized). Host main thread only.
#pragma once

#include "DGTypes.h"
#include "gs/Guid.h"

#include <string>

namespace DG {

struct WindowState {
    // A dialog's frame.
    Int32 left = 0, top = 0;
    Int32 growType = 0;
    bool growBox = true;
    Int32 closeType = 0, captionType = 0, frameType = 0;
    bool itemsDisabled = false;   // Panel::DisableItems: over every item's own state

    // Modeless windows (palettes).
    bool modeless = false;
    GS::Guid guid;
    bool shown = false;
    bool opened = false;       // PanelOpened was raised: the first Show
    bool processing = false;   // between BeginEventProcessing and EndEventProcessing

    // Tab pages.
    Int32 dialogId = 0;   // the dialog the page sits on
    Int32 tabControlId = 0;
    Int16 tabIndex = 0;
};

namespace Windows {

// The window state of a live panel, made on first use; null for no such panel.
WindowState* Get (Int32 panelId);
// The window state if one was made, else null.
const WindowState* Find (Int32 panelId);

// Empty when the user may act on panel `panelId` now; otherwise why not, in words. A palette, or a
// page on one, takes user actions only while the palette is shown and processing events; a page
// also needs its roll panel rolled down. Other panels always do.
std::string WhyUserCannotAct (Int32 panelId);
// Whether the user finds every item of the panel disabled (Panel::DisableItems on it, or on the
// dialog a page sits on), whatever the items' own states.
bool ItemsDisabled (Int32 panelId);
// Whether the panel's window has a close box: palettes by their close type, other windows always.
bool HasCloseBox (Int32 panelId);

// Gives panel `panelId` the size width × height (sizes below 0 become 0). When it changed:
// PanelResized from the panel; a dialog then lays out its roll-down surfaces, and every page
// whose size changed raises PanelResized in turn. Handlers may destroy panels meanwhile.
void Resize (Int32 panelId, Int32 width, Int32 height);
// Raises PanelResized (changes 0) from dialog `dialogId` and from every page on its roll-down
// surfaces, after laying them out: a palette's first showing.
void LayOutAll (Int32 dialogId);

}   // namespace Windows

}   // namespace DG
