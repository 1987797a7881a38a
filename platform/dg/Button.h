// DG::Button, its click event and DG::ButtonItemObserver. A click comes only from the user (the
// driver) on a visible, enabled button; every observer attached through a Button object hears it,
// with that object as the event's source. Host main thread only.
#pragma once

#include "Item.h"

namespace DG {

class Button;

class ButtonClickEvent : public ItemEvent {
public:
    explicit ButtonClickEvent (Button* source);
    Button* GetSource () const;
};

class ButtonItemObserver : public ItemObserver {
public:
    virtual void ButtonClicked (const ButtonClickEvent& ev);
};

class Button : public Item {
public:
    using Item::Item;
    void Attach (ButtonItemObserver& observer) { AttachObserver (observer); }
    void Detach (ButtonItemObserver& observer) { DetachObserver (observer); }
};

}   // namespace DG
