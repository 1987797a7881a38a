#include "EventDispatch.h"

#include "Button.h"
#include "CheckBox.h"
#include "IntEdit.h"
#include "ListBox.h"
#include "PanelObserver.h"
#include "PanelState.h"
#include "PopUp.h"
#include "RadioButton.h"

#include <algorithm>
#include <vector>

namespace DG::Events {

namespace {

// Calls `deliver (observer, sourcePanel)` for each observer of the panel, safely.
template <typename Deliver> void ToPanelObservers (Int32 panelId, Deliver deliver)
{
    PanelState* state = PanelStore::Find (panelId);
    if (state == nullptr)
        return;
    const std::vector<PanelObserver*> snapshot = state->observers;
    for (PanelObserver* observer : snapshot) {
        state = PanelStore::Find (panelId);
        if (state == nullptr)
            return;
        const auto& now = state->observers;
        if (std::find (now.begin (), now.end (), observer) == now.end ())
            continue;
        deliver (*observer, state->owner);
    }
}

// Calls `deliver (observer, source)` for each attachment of the item whose observer and source
// are of the wanted types, safely.
template <typename Observer, typename Source, typename Deliver>
void ToItemObservers (Int32 panelId, Int16 item, Deliver deliver)
{
    ItemState* state = PanelStore::FindItem (panelId, item);
    if (state == nullptr)
        return;
    const std::vector<ItemAttachment> snapshot = state->observers;
    for (const ItemAttachment& a : snapshot) {
        state = PanelStore::FindItem (panelId, item);
        if (state == nullptr)
            return;
        const auto& now = state->observers;
        const bool attached = std::any_of (now.begin (), now.end (), [&] (const ItemAttachment& n) {
            return n.observer == a.observer && n.source == a.source;
        });
        auto* observer = dynamic_cast<Observer*> (a.observer);
        auto* source = dynamic_cast<Source*> (a.source);
        if (attached && observer != nullptr && source != nullptr)
            deliver (*observer, source);
    }
}

}   // namespace

void PanelOpened (Int32 panelId)
{
    ToPanelObservers (panelId, [] (PanelObserver& o, Panel* source) { o.PanelOpened (PanelOpenEvent (source)); });
}

bool PanelCloseRequested (Int32 panelId)
{
    bool accepted = true;
    ToPanelObservers (panelId, [&] (PanelObserver& o, Panel* source) {
        o.PanelCloseRequested (PanelCloseRequestEvent (source), &accepted);
    });
    return accepted;
}

bool PanelHotkeyPressed (Int32 panelId, Int16 keyId)
{
    bool processed = false;
    ToPanelObservers (panelId, [&] (PanelObserver& o, Panel* source) {
        o.PanelHotkeyPressed (PanelHotKeyEvent (source, keyId), processed);
    });
    return processed;
}

void ButtonClicked (Int32 panelId, Int16 item)
{
    ToItemObservers<ButtonItemObserver, Button> (
        panelId, item, [] (ButtonItemObserver& o, Button* source) { o.ButtonClicked (ButtonClickEvent (source)); });
}

void CheckItemChanged (Int32 panelId, Int16 item)
{
    ToItemObservers<CheckItemObserver, CheckBox> (panelId, item, [] (CheckItemObserver& o, CheckBox* source) {
        o.CheckItemChanged (CheckItemChangeEvent (source));
    });
}

}   // namespace DG::Events

namespace DG::Events {

void ListBoxSelectionChanged (Int32 panelId, Int16 item)
{
    ToItemObservers<ListBoxObserver, ListBox> (panelId, item, [] (ListBoxObserver& o, ListBox* source) {
        o.ListBoxSelectionChanged (ListBoxSelectionEvent (source));
    });
}

void ListBoxClicked (Int32 panelId, Int16 item, Int16 row, Int32 offset, Key::Modifiers modifiers)
{
    ToItemObservers<ListBoxObserver, ListBox> (panelId, item, [&] (ListBoxObserver& o, ListBox* source) {
        o.ListBoxClicked (ListBoxClickEvent (source, row, offset, modifiers));
    });
}

void ListBoxDoubleClicked (Int32 panelId, Int16 item, Int16 row, Int32 offset, Key::Modifiers modifiers)
{
    ToItemObservers<ListBoxObserver, ListBox> (panelId, item, [&] (ListBoxObserver& o, ListBox* source) {
        o.ListBoxDoubleClicked (ListBoxDoubleClickEvent (source, row, offset, modifiers));
    });
}

void ListBoxContextMenuRequested (Int32 panelId, Int16 item, Int16 row)
{
    ToItemObservers<ListBoxObserver, ListBox> (panelId, item, [&] (ListBoxObserver& o, ListBox* source) {
        o.ListBoxContextMenuRequested (ListBoxContextMenuEvent (source, row));
    });
}

}   // namespace DG::Events

namespace DG::Events {

void PanelResized (Int32 panelId, Int32 dx, Int32 dy)
{
    ToPanelObservers (panelId,
                      [&] (PanelObserver& o, Panel* source) { o.PanelResized (PanelResizeEvent (source, dx, dy)); });
}

void RadioItemChanged (Int32 panelId, Int16 item)
{
    ToItemObservers<RadioItemObserver, RadioButton> (panelId, item, [] (RadioItemObserver& o, RadioButton* source) {
        o.RadioItemChanged (RadioItemChangeEvent (source));
    });
}

void IntEditChanged (Int32 panelId, Int16 item, Int32 previousValue)
{
    ToItemObservers<IntEditObserver, IntEdit> (panelId, item, [&] (IntEditObserver& o, IntEdit* source) {
        o.IntEditChanged (IntEditChangeEvent (source, previousValue));
    });
}

void PopUpChanged (Int32 panelId, Int16 item, Int16 previousItem)
{
    ToItemObservers<PopUpObserver, PopUp> (panelId, item, [&] (PopUpObserver& o, PopUp* source) {
        o.PopUpChanged (PopUpChangeEvent (source, previousItem));
    });
}

}   // namespace DG::Events
