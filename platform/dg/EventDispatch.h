// Delivery of events to the observers of a panel or item, used by the driver and the modal loop.
// Each call delivers to the observers attached when it starts, skips any detached meanwhile and
// stops when a handler destroyed the panel. Host main thread only.
#pragma once

#include "DGTypes.h"

namespace DG::Events {

void PanelOpened (Int32 panelId);
// Answers whether the request stayed accepted.
bool PanelCloseRequested (Int32 panelId);
// Answers whether an observer processed the key.
bool PanelHotkeyPressed (Int32 panelId, Int16 keyId);
void ButtonClicked (Int32 panelId, Int16 item);
void CheckItemChanged (Int32 panelId, Int16 item);

}   // namespace DG::Events

// List box events (ListBoxObserver.h); `row` counts from 1, `offset` is horizontal.
namespace DG::Events {

void ListBoxSelectionChanged (Int32 panelId, Int16 item);
void ListBoxClicked (Int32 panelId, Int16 item, Int16 row, Int32 offset, Key::Modifiers modifiers);
void ListBoxDoubleClicked (Int32 panelId, Int16 item, Int16 row, Int32 offset, Key::Modifiers modifiers);
void ListBoxContextMenuRequested (Int32 panelId, Int16 item, Int16 row);

}   // namespace DG::Events

// Window and settings-item events: resizes (PanelObserver.h), radios, integer edits, pop-ups.
namespace DG::Events {

void PanelResized (Int32 panelId, Int32 dx, Int32 dy);
void RadioItemChanged (Int32 panelId, Int16 item);
void IntEditChanged (Int32 panelId, Int16 item, Int32 previousValue);
void PopUpChanged (Int32 panelId, Int16 item, Int16 previousItem);

}   // namespace DG::Events
