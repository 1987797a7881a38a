#include "Button.h"

namespace DG {

ButtonClickEvent::ButtonClickEvent (Button* source) : ItemEvent (source) {}

Button* ButtonClickEvent::GetSource () const
{
    return static_cast<Button*> (ItemEvent::GetSource ());
}

void ButtonItemObserver::ButtonClicked (const ButtonClickEvent&) {}

}   // namespace DG
