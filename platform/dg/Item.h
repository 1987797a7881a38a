// DG::Item: one item of a panel, named by the panel and its item number in the dialog resource,
// and the base of the typed items (Button, CheckBox, IconItem, the texts). The object holds no
// state of its own: it reads and writes the panel's item state, so several objects on one item
// agree. Setting text, value or visibility from code raises no event; only user actions through
// the driver do.
//
// An item of an invalid or destroyed panel, or a number the resource lacks, does nothing and
// answers neutral values (empty text, 0, not visible). Host main thread only.
#pragma once

#include "DGTypes.h"
#include "gs/GSString.h"

namespace DG {

class Panel;
class ItemObserver;
struct ItemState;

class Item {
public:
    Item (const Panel& panel, Int16 item);
    virtual ~Item ();   // detaches the observers attached through this object
    Item (const Item&) = delete;
    Item& operator= (const Item&) = delete;

    bool IsValid () const;
    Int32 GetPanelId () const { return panelId; }
    Int16 GetId () const { return itemId; }
    ItemKind GetKind () const;

    void Show ();
    void Hide ();
    void SetVisibility (bool visible);
    bool IsVisible () const;
    void Enable ();
    void Disable ();
    void SetStatus (bool enabled);
    bool IsEnabled () const;
    void Redraw () {}

    Rect GetRect () const;
    void SetRect (const Rect& rect);
    Int32 GetWidth () const { return GetRect ().width; }
    Int32 GetHeight () const { return GetRect ().height; }
    // Moves and sizes take effect at once, inside a panel's move batch or not.
    void Move (Int32 dx, Int32 dy);
    void SetPosition (Int32 left, Int32 top);
    void SetSize (Int32 width, Int32 height);
    void SetWidth (Int32 width);
    void SetHeight (Int32 height);

    GS::String GetText () const;
    void SetText (const GS::String& text);

protected:
    ItemState* State () const;
    void AttachObserver (ItemObserver& observer);
    void DetachObserver (ItemObserver& observer);

private:
    Int32 panelId;
    Int16 itemId;
};

// Base of the item observers; going away detaches it from every item.
class ItemObserver {
public:
    ItemObserver () = default;
    ItemObserver (const ItemObserver&) = delete;
    ItemObserver& operator= (const ItemObserver&) = delete;
    virtual ~ItemObserver ();
};

// Base of item events: the item object through which the observer was attached.
class ItemEvent {
public:
    explicit ItemEvent (Item* source) : source (source) {}
    Item* GetSource () const { return source; }

private:
    Item* source;
};

}   // namespace DG
