// DG::IntEdit, an integer edit field, its change event and DG::IntEditObserver. The item's value
// is the number shown. SetValue from code raises nothing; a value typed by the user (the driver)
// into a visible, enabled edit raises IntEditChanged carrying the value before the change, so a
// handler can put it back. Typing the value already shown raises nothing. Host main thread only.
#pragma once

#include "Item.h"

namespace DG {

class IntEdit;

class IntEditChangeEvent : public ItemEvent {
public:
    IntEditChangeEvent (IntEdit* source, Int32 previousValue);
    IntEdit* GetSource () const;
    Int32 GetPreviousValue () const { return previousValue; }

private:
    Int32 previousValue;
};

class IntEditObserver : public ItemObserver {
public:
    virtual void IntEditChanged (const IntEditChangeEvent& ev);
};

class IntEdit : public Item {
public:
    using Item::Item;

    Int32 GetValue () const;
    void SetValue (Int32 value);

    void Attach (IntEditObserver& observer) { AttachObserver (observer); }
    void Detach (IntEditObserver& observer) { DetachObserver (observer); }
};

}   // namespace DG
