#include "RecordingAgent.h"

#include "Driver.h"
#include "ListDriver.h"
#include "Panel.h"
#include "PanelState.h"
#include "TextRenderer.h"

namespace DG {

namespace {

const ShownItem* ItemOf (const ShownDialog& d, Int16 item)
{
    if (item < 1 || static_cast<size_t> (item) > d.items.size ())
        return nullptr;
    return &d.items[static_cast<size_t> (item - 1)];
}

}   // namespace

std::string ShownDialog::ItemText (Int16 item) const
{
    const ShownItem* i = ItemOf (*this, item);
    return i != nullptr ? i->text : std::string ();
}

bool ShownDialog::ItemVisible (Int16 item) const
{
    const ShownItem* i = ItemOf (*this, item);
    return i != nullptr && i->visible;
}

bool ShownDialog::ItemChecked (Int16 item) const
{
    const ShownItem* i = ItemOf (*this, item);
    return i != nullptr && i->value != 0;
}

ItemKind ShownDialog::Kind (Int16 item) const
{
    const ShownItem* i = ItemOf (*this, item);
    return i != nullptr ? i->kind : ItemKind::Other;
}

Answer Answer::HotKey (Key::Code key, Key::Modifiers modifiers)
{
    Answer a (Action::Key, 0);
    a.key = key;
    a.modifiers = modifiers;
    return a;
}

Answer Answer::SelectRow (Int16 item, Int16 row)
{
    Answer a (Action::SelectRow, item);
    a.row = row;
    return a;
}

Answer Answer::ClickRow (Int16 item, Int16 row, Int32 offset, Key::Modifiers modifiers)
{
    Answer a (Action::ClickRow, item);
    a.row = row;
    a.offset = offset;
    a.modifiers = modifiers;
    return a;
}

Answer Answer::DoubleClickRow (Int16 item, Int16 row, Int32 offset, Key::Modifiers modifiers)
{
    Answer a = ClickRow (item, row, offset, modifiers);
    a.action = Action::DoubleClickRow;
    return a;
}

Answer Answer::ContextMenu (Int16 item, Int16 row)
{
    Answer a (Action::ContextMenu, item);
    a.row = row;
    return a;
}

Answer Answer::For (Int16 forResource) const
{
    Answer a = *this;
    a.resourceId = forResource;
    return a;
}

size_t RecordingAgent::CountShown (Int16 resourceId) const
{
    size_t n = 0;
    for (const ShownDialog& d : shown)
        n += d.resourceId == resourceId ? 1 : 0;
    return n;
}

void RecordingAgent::Clear ()
{
    answers.clear ();
    shown.clear ();
}

ShownDialog* RecordingAgent::Record (Int32 panelId)
{
    for (auto it = shown.rbegin (); it != shown.rend (); ++it) {
        if (it->panelId == panelId)
            return &*it;
    }
    return nullptr;
}

void RecordingAgent::DialogShown (const Panel& dialog)
{
    ShownDialog record;
    record.panelId = dialog.GetId ();
    record.resourceId = dialog.GetResourceId ();
    if (const PanelState* state = PanelStore::Find (dialog.GetId ())) {
        record.title = state->title;
        for (const ItemState& item : state->items)
            record.items.push_back (ShownItem{item.kind, item.text, item.visible, item.enabled, item.value});
    }
    record.rendered = RenderPanel (dialog);
    shown.push_back (record);
}

bool RecordingAgent::Act (const Panel& dialog, Driver& driver)
{
    if (answers.empty ())
        return false;
    const Answer answer = answers.front ();
    if (answer.resourceId != 0 && answer.resourceId != dialog.GetResourceId ())
        return false;
    answers.pop_front ();

    bool done = false;
    ListDriver lists (driver.GetPanelId ());
    switch (answer.action) {
    case Answer::Action::Click:
        done = driver.Click (answer.item);
        break;
    case Answer::Action::Check:
        done = driver.SetCheck (answer.item, true);
        break;
    case Answer::Action::Uncheck:
        done = driver.SetCheck (answer.item, false);
        break;
    case Answer::Action::Key:
        done = driver.PressKey (answer.key, answer.modifiers);
        break;
    case Answer::Action::CloseBox:
        driver.CloseBox ();
        done = true;
        break;
    case Answer::Action::Done:
        return false;
    case Answer::Action::SelectRow:
        done = answer.row == 0 ? lists.SelectRows (answer.item, {}) : lists.SelectRow (answer.item, answer.row);
        break;
    case Answer::Action::ClickRow:
        done = lists.ClickRow (answer.item, answer.row, answer.offset, answer.modifiers);
        break;
    case Answer::Action::DoubleClickRow:
        done = lists.DoubleClickRow (answer.item, answer.row, answer.offset, answer.modifiers);
        break;
    case Answer::Action::ContextMenu:
        done = lists.RequestContextMenu (answer.item, answer.row);
        break;
    }
    if (!done) {
        if (ShownDialog* record = Record (dialog.GetId ()))
            record->refused.push_back (lists.GetError ().empty () ? driver.GetError () : lists.GetError ());
    }
    return true;
}

void RecordingAgent::DialogClosed (const Panel& dialog, ModalResponse response)
{
    if (ShownDialog* record = Record (dialog.GetId ()))
        record->response = response;
}

}   // namespace DG
