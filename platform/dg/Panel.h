// DG::Panel: a window or page built from a dialog resource, the common base of dialogs, palettes
// and tab pages. The object owns its state in the panel store (PanelState.h) from construction to
// destruction; items are built from it (GetReference) and an item number of the resource.
//
// A panel whose dialog resource is missing from the resource module is invalid (IsValid false):
// every operation on it and on its items does nothing and answers a neutral value; nothing
// crashes. Not copyable. Host main thread only.
#pragma once

#include "DGTypes.h"
#include "gs/GSString.h"

namespace DG {

class PanelObserver;
struct PanelState;

class Panel {
public:
    // Builds from dialog resource `resourceId` of `module`; ActiveResModule: the active module.
    explicit Panel (Int16 resourceId, GSResModule module = ActiveResModule);
    virtual ~Panel ();
    Panel (const Panel&) = delete;
    Panel& operator= (const Panel&) = delete;

    bool IsValid () const;
    // The panel's identifier, unique in the process and never reused; 0 for an invalid panel.
    Int32 GetId () const { return id; }
    const Panel& GetReference () const { return *this; }
    Int16 GetResourceId () const { return resourceId; }
    Int16 GetItemCount () const;

    // Disables every item of the panel, and of the pages on it, for the user as one layer over
    // each item's own state: EnableItems lifts the layer and leaves the items as they were.
    void EnableItems ();
    void DisableItems ();

    void Attach (PanelObserver& observer);
    void Detach (PanelObserver& observer);

    // Hot keys: registered keys raise PanelHotkeyPressed while hot keys are enabled.
    void EnableHotKeys ();
    void DisableHotKeys ();
    // Answers the key's identifier (from 1), or 0 on an invalid panel.
    Int16 RegisterHotKey (Key::Code key, Key::Modifiers modifiers = Key::NoModifier);
    void UnregisterHotKey (Int16 keyId);

    // A batch of item moves and resizes (SetRect, Move, ...) between Begin and End; batches may
    // nest, and each outermost End counts one batch. Rectangles change at once either way.
    void BeginMoveResizeItems ();
    void EndMoveResizeItems ();
    bool IsMovingResizingItems () const;
    Int32 GetMoveResizeBatchCount () const;

protected:
    // A panel with no dialog resource and no items, of the given client size (palettes); with
    // `make` false it is invalid.
    Panel (Int32 width, Int32 height, bool make);
    PanelState* State () const;

private:
    Int32 id;
    Int16 resourceId;
};

}   // namespace DG
