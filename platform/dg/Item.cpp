#include "Item.h"

#include "Panel.h"
#include "PanelState.h"

#include <algorithm>

namespace DG {

Item::Item (const Panel& panel, Int16 item) : panelId (panel.GetId ()), itemId (item) {}

Item::~Item ()
{
    PanelStore::ForgetItem (panelId, this);
}

ItemState* Item::State () const
{
    return PanelStore::FindItem (panelId, itemId);
}

bool Item::IsValid () const
{
    return State () != nullptr;
}

ItemKind Item::GetKind () const
{
    const ItemState* s = State ();
    return s != nullptr ? s->kind : ItemKind::Other;
}

void Item::Show ()
{
    SetVisibility (true);
}
void Item::Hide ()
{
    SetVisibility (false);
}

void Item::SetVisibility (bool visible)
{
    if (ItemState* s = State ())
        s->visible = visible;
}

bool Item::IsVisible () const
{
    const ItemState* s = State ();
    return s != nullptr && s->visible;
}

void Item::Enable ()
{
    SetStatus (true);
}
void Item::Disable ()
{
    SetStatus (false);
}

void Item::SetStatus (bool enabled)
{
    if (ItemState* s = State ())
        s->enabled = enabled;
}

bool Item::IsEnabled () const
{
    const ItemState* s = State ();
    return s != nullptr && s->enabled;
}

Rect Item::GetRect () const
{
    const ItemState* s = State ();
    return s != nullptr ? s->rect : Rect{};
}

void Item::SetRect (const Rect& rect)
{
    if (ItemState* s = State ())
        s->rect = rect;
}

GS::String Item::GetText () const
{
    const ItemState* s = State ();
    return s != nullptr ? GS::String (s->text) : GS::String ();
}

void Item::SetText (const GS::String& text)
{
    if (ItemState* s = State ())
        s->text = text.ToStd ();
}

void Item::AttachObserver (ItemObserver& observer)
{
    ItemState* s = State ();
    if (s == nullptr)
        return;
    for (const ItemAttachment& a : s->observers) {
        if (a.observer == &observer && a.source == this)
            return;
    }
    s->observers.push_back (ItemAttachment{&observer, this});
}

void Item::DetachObserver (ItemObserver& observer)
{
    if (ItemState* s = State ()) {
        auto& list = s->observers;
        list.erase (
            std::remove_if (list.begin (), list.end (),
                            [&] (const ItemAttachment& a) { return a.observer == &observer && a.source == this; }),
            list.end ());
    }
}

ItemObserver::~ItemObserver ()
{
    PanelStore::ForgetObserver (this);
}

}   // namespace DG

namespace DG {

void Item::Move (Int32 dx, Int32 dy)
{
    Rect r = GetRect ();
    SetPosition (r.left + dx, r.top + dy);
}

void Item::SetPosition (Int32 left, Int32 top)
{
    if (ItemState* s = State ()) {
        s->rect.left = left;
        s->rect.top = top;
    }
}

void Item::SetSize (Int32 width, Int32 height)
{
    if (ItemState* s = State ()) {
        s->rect.width = width;
        s->rect.height = height;
    }
}

void Item::SetWidth (Int32 width)
{
    SetSize (width, GetHeight ());
}

void Item::SetHeight (Int32 height)
{
    SetSize (GetWidth (), height);
}

}   // namespace DG
