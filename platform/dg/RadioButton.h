// DG::RadioButton, its change event and DG::RadioItemObserver. Radio buttons of one panel with
// the same group number (from the dialog resource) form a group: at most one is selected, and
// selecting one deselects the others. The item's value is 1 while selected.
//
// Select from code raises nothing. The user (the driver) selecting a visible, enabled radio that
// was not selected raises one RadioItemChanged, from the radio that became selected; a radio that
// was selected already raises nothing. Host main thread only.
#pragma once

#include "Item.h"

namespace DG {

class RadioButton;

class RadioItemChangeEvent : public ItemEvent {
public:
    explicit RadioItemChangeEvent (RadioButton* source);
    RadioButton* GetSource () const;
};

class RadioItemObserver : public ItemObserver {
public:
    virtual void RadioItemChanged (const RadioItemChangeEvent& ev);
};

class RadioButton : public Item {
public:
    using Item::Item;

    // Selects this radio and deselects the others of its group.
    void Select ();
    bool IsSelected () const;

    void Attach (RadioItemObserver& observer) { AttachObserver (observer); }
    void Detach (RadioItemObserver& observer) { DetachObserver (observer); }

    // Selects radio `item` of panel `panelId` and deselects the others of its group; answers
    // whether the selection changed. Not a radio: nothing changes.
    static bool SelectInGroup (Int32 panelId, Int16 item);
};

}   // namespace DG
