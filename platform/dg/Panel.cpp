#include "Panel.h"

#include "PanelObserver.h"
#include "PanelState.h"
#include "WindowState.h"

#include <algorithm>

namespace DG {

Panel::Panel (Int16 resourceId, GSResModule module)
    : id (PanelStore::Create (this, resourceId, module)), resourceId (resourceId)
{
}

Panel::Panel (Int32 width, Int32 height, bool make)
    : id (make ? PanelStore::CreateBlank (this, width, height) : 0), resourceId (0)
{
}

Panel::~Panel ()
{
    PanelStore::Destroy (id);
}

bool Panel::IsValid () const
{
    return State () != nullptr;
}

PanelState* Panel::State () const
{
    return PanelStore::Find (id);
}

Int16 Panel::GetItemCount () const
{
    const PanelState* state = State ();
    return state != nullptr ? static_cast<Int16> (state->items.size ()) : 0;
}

void Panel::EnableItems ()
{
    if (WindowState* window = Windows::Get (id))
        window->itemsDisabled = false;
}

void Panel::DisableItems ()
{
    if (WindowState* window = Windows::Get (id))
        window->itemsDisabled = true;
}

void Panel::Attach (PanelObserver& observer)
{
    PanelState* state = State ();
    if (state == nullptr)
        return;
    auto& list = state->observers;
    if (std::find (list.begin (), list.end (), &observer) == list.end ())
        list.push_back (&observer);
}

void Panel::Detach (PanelObserver& observer)
{
    if (PanelState* state = State ()) {
        auto& list = state->observers;
        list.erase (std::remove (list.begin (), list.end (), &observer), list.end ());
    }
}

void Panel::EnableHotKeys ()
{
    if (PanelState* state = State ())
        state->hotKeysEnabled = true;
}

void Panel::DisableHotKeys ()
{
    if (PanelState* state = State ())
        state->hotKeysEnabled = false;
}

Int16 Panel::RegisterHotKey (Key::Code key, Key::Modifiers modifiers)
{
    PanelState* state = State ();
    if (state == nullptr)
        return 0;
    const Int16 keyId = state->nextHotKeyId++;
    state->hotKeys.push_back (HotKey{keyId, key, modifiers});
    return keyId;
}

void Panel::UnregisterHotKey (Int16 keyId)
{
    if (PanelState* state = State ()) {
        auto& keys = state->hotKeys;
        keys.erase (std::remove_if (keys.begin (), keys.end (), [&] (const HotKey& k) { return k.id == keyId; }),
                    keys.end ());
    }
}

}   // namespace DG

namespace DG {

void Panel::BeginMoveResizeItems ()
{
    if (PanelState* state = State ())
        ++state->moveResizeDepth;
}

void Panel::EndMoveResizeItems ()
{
    PanelState* state = State ();
    if (state == nullptr || state->moveResizeDepth == 0)
        return;
    if (--state->moveResizeDepth == 0)
        ++state->moveResizeBatches;
}

bool Panel::IsMovingResizingItems () const
{
    const PanelState* state = State ();
    return state != nullptr && state->moveResizeDepth > 0;
}

Int32 Panel::GetMoveResizeBatchCount () const
{
    const PanelState* state = State ();
    return state != nullptr ? state->moveResizeBatches : 0;
}

}   // namespace DG
