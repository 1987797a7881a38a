#include "TabControl.h"

#include "Dialog.h"
#include "PanelState.h"
#include "TabPage.h"

namespace DG {

namespace {

struct Controls {
    std::map<Int32, TabControlState> states;
    Int32 nextId = 1;
};

Controls& TheControls ()
{
    static Controls controls;
    return controls;
}

}   // namespace

TabControl::TabControl (const Dialog& dialog, Int32 width) : id (TheControls ().nextId++)
{
    TabControlState& state = TheControls ().states[id];
    state.dialogId = dialog.GetId ();
    state.width = width > 0 ? width : 0;
}

TabControl::~TabControl ()
{
    TheControls ().states.erase (id);
}

TabControlState* TabControl::FindState (Int32 id)
{
    auto it = TheControls ().states.find (id);
    return it == TheControls ().states.end () ? nullptr : &it->second;
}

Dialog* TabControl::GetDialog () const
{
    const TabControlState* state = FindState (id);
    const PanelState* dialog = state != nullptr ? PanelStore::Find (state->dialogId) : nullptr;
    return dialog != nullptr ? dynamic_cast<Dialog*> (dialog->owner) : nullptr;
}

Int32 TabControl::GetWidth () const
{
    const TabControlState* state = FindState (id);
    return state != nullptr ? state->width : 0;
}

TabPage* TabControl::GetTabPage (Int16 tabIndex) const
{
    const TabControlState* state = FindState (id);
    if (state == nullptr)
        return nullptr;
    auto it = state->pages.find (tabIndex);
    const PanelState* page = it != state->pages.end () ? PanelStore::Find (it->second) : nullptr;
    return page != nullptr ? dynamic_cast<TabPage*> (page->owner) : nullptr;
}

}   // namespace DG
