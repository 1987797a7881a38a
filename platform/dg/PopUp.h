// DG::PopUp, a pop-up menu of text entries, its change event and DG::PopUpObserver. Entries count
// from 1; the item's value is the selected entry, 0 only while there is none. The first entry
// added to an empty pop-up becomes selected; deleting the selected entry selects the first one
// left. Entry numbers out of range are ignored (texts read "", nothing is selected).
//
// Nothing set from code raises an event; the user (the driver) choosing another entry of a
// visible, enabled pop-up raises PopUpChanged with the entry selected before. Host main thread
// only.
#pragma once

#include "Item.h"

namespace DG {

class PopUp;

class PopUpChangeEvent : public ItemEvent {
public:
    PopUpChangeEvent (PopUp* source, Int16 previousItem);
    PopUp* GetSource () const;
    Int16 GetPreviousSelection () const { return previousItem; }

private:
    Int16 previousItem;
};

class PopUpObserver : public ItemObserver {
public:
    virtual void PopUpChanged (const PopUpChangeEvent& ev);
};

class PopUp : public Item {
public:
    using Item::Item;

    Int16 GetItemCount () const;
    void AppendItem ();
    // Inserts an empty entry at `entry` (1 .. count + 1).
    void InsertItem (Int16 entry);
    // Deletes entry `entry`; 0 deletes them all.
    void DeleteItem (Int16 entry);
    void SetItemText (Int16 entry, const GS::String& text);
    GS::String GetItemText (Int16 entry) const;

    Int16 GetSelectedItem () const;
    void SelectItem (Int16 entry);

    void Attach (PopUpObserver& observer) { AttachObserver (observer); }
    void Detach (PopUpObserver& observer) { DetachObserver (observer); }

private:
    ItemState* PopUpState () const;
};

}   // namespace DG
