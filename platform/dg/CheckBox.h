// DG::CheckBox, its change event and DG::CheckItemObserver. The item's value is 1 when ticked.
// Check/Uncheck/SetState from code raise nothing; a tick or untick by the user (the driver) on a
// visible, enabled box raises CheckItemChanged. Host main thread only.
#pragma once

#include "Item.h"

namespace DG {

class CheckBox;

class CheckItemChangeEvent : public ItemEvent {
public:
    explicit CheckItemChangeEvent (CheckBox* source);
    CheckBox* GetSource () const;
};

class CheckItemObserver : public ItemObserver {
public:
    virtual void CheckItemChanged (const CheckItemChangeEvent& ev);
};

class CheckBox : public Item {
public:
    using Item::Item;

    void Check () { SetState (true); }
    void Uncheck () { SetState (false); }
    void SetState (bool checked);
    bool IsChecked () const;

    void Attach (CheckItemObserver& observer) { AttachObserver (observer); }
    void Detach (CheckItemObserver& observer) { DetachObserver (observer); }
};

}   // namespace DG
