// The framework's memory: the state of every live panel (dialog, palette, tab page) and of its
// items, kept by panel id in one process-wide store inside the platform library, so the host and
// the add-on see the same windows. Panel objects create and destroy their state; items, drivers
// and renderers look it up by id and find nothing once the panel is gone (ids are never reused).
//
// A panel built from a dialog resource that the resource module does not hold gets no state:
// Create answers 0 and the panel is invalid. Host main thread only; not re-entrant-safe across
// threads, but handlers may create and destroy panels while an event is being delivered.
#pragma once

#include "DGTypes.h"

#include <memory>
#include <string>
#include <vector>

namespace DG {

class Panel;
class Item;
class PanelObserver;
class ItemObserver;
struct ListState;     // ListBoxState.h
struct WindowState;   // WindowState.h

// One observer attached through one item object; events name that object as their source.
struct ItemAttachment {
    ItemObserver* observer = nullptr;
    Item* source = nullptr;
};

struct ItemState {
    ItemKind kind = ItemKind::Other;
    Rect rect;
    std::string text;
    Int32 value = 0;   // check box: 0 or 1
    bool visible = true;
    bool enabled = true;
    Int32 iconId = -1;   // icon items: the icon resource, -1 for none
    Int32 group = 0;     // radio buttons: their group
    std::vector<ItemAttachment> observers;
    std::shared_ptr<ListState> list;    // list boxes: rows, tab fields, selection; made on first use
    std::vector<std::string> entries;   // pop-ups: entry n is entries[n - 1]; value is the selected one
};

struct HotKey {
    Int16 id = 0;
    Key::Code key = 0;
    Key::Modifiers modifiers = Key::NoModifier;
};

struct PanelState {
    Int32 id = 0;
    Int16 resourceId = 0;
    Panel* owner = nullptr;   // the panel object; panel events name it as their source
    std::string title;
    Int32 width = 0, height = 0;
    std::vector<ItemState> items;   // item n is items[n - 1]
    std::vector<PanelObserver*> observers;
    std::vector<HotKey> hotKeys;
    Int16 nextHotKeyId = 1;
    bool hotKeysEnabled = false;
    bool open = false;                     // shown to the user (a modal dialog inside Invoke)
    bool modal = false;                    // a modal dialog: the close box posts Cancel
    ModalResponse closeResponse = 0;       // non-zero once a close was requested
    Int32 moveResizeDepth = 0;             // open BeginMoveResizeItems calls
    Int32 moveResizeBatches = 0;           // batches of item moves ended so far
    std::shared_ptr<WindowState> window;   // palettes, grow types, tab pages; made on first use

    // Item `item` (from 1), or null.
    ItemState* Item (Int32 item);
};

namespace PanelStore {

// Builds the state of a panel from dialog resource `resourceId` of `module` (ActiveResModule: the
// module active now). Answers the new panel's id, or 0 when there is no such resource.
Int32 Create (Panel* owner, Int16 resourceId, GSResModule module);
// Builds the state of a panel with no dialog resource and no items (palettes); answers its id.
Int32 CreateBlank (Panel* owner, Int32 width, Int32 height);
void Destroy (Int32 panelId);
PanelState* Find (Int32 panelId);
ItemState* FindItem (Int32 panelId, Int32 item);
// Removes an observer that goes away from every panel or item it is attached to.
void ForgetObserver (const PanelObserver* observer);
void ForgetObserver (const ItemObserver* observer);
// Removes every attachment made through the item object `source`.
void ForgetItem (Int32 panelId, const Item* source);
// Ids of the live panels, oldest first.
std::vector<Int32> LivePanels ();

}   // namespace PanelStore

}   // namespace DG
