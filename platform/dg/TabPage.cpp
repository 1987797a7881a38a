#include "TabPage.h"

#include "CreationFailures.h"
#include "Dialog.h"
#include "PanelState.h"
#include "TabControl.h"
#include "WindowState.h"

namespace DG {

TabPage::TabPage (const TabControl& tabControl, Int16 tabIndex, Int16 resourceId, GSResModule module)
    : Panel (resourceId, module)
{
    if (CreationFails (Creation::TabPage))
        throw CreationFailure ("tab page " + std::to_string (resourceId) + " could not be created");
    TabControlState* control = TabControl::FindState (tabControl.GetId ());
    PanelState* state = State ();
    if (state == nullptr || control == nullptr || tabIndex < 1 || tabControl.GetTabPage (tabIndex) != nullptr) {
        PanelStore::Destroy (GetId ());   // invalid from here on
        return;
    }
    control->pages[tabIndex] = GetId ();
    state->width = control->width;
    WindowState* window = Windows::Get (GetId ());
    window->dialogId = control->dialogId;
    window->tabControlId = tabControl.GetId ();
    window->tabIndex = tabIndex;
}

TabPage::~TabPage ()
{
    const WindowState* window = Windows::Find (GetId ());
    if (window == nullptr)
        return;
    if (TabControlState* control = TabControl::FindState (window->tabControlId)) {
        auto it = control->pages.find (window->tabIndex);
        if (it != control->pages.end () && it->second == GetId ())
            control->pages.erase (it);
    }
}

Int32 TabPage::GetWidth () const
{
    const PanelState* s = State ();
    return s != nullptr ? s->width : 0;
}

Int32 TabPage::GetHeight () const
{
    const PanelState* s = State ();
    return s != nullptr ? s->height : 0;
}

void TabPage::SetHeight (Int32 height)
{
    Windows::Resize (GetId (), GetWidth (), height);
}

Int16 TabPage::GetTabIndex () const
{
    const WindowState* window = Windows::Find (GetId ());
    return window != nullptr ? window->tabIndex : 0;
}

Dialog* TabPage::GetParentDialog () const
{
    const WindowState* window = Windows::Find (GetId ());
    const PanelState* dialog = window != nullptr ? PanelStore::Find (window->dialogId) : nullptr;
    return dialog != nullptr ? dynamic_cast<Dialog*> (dialog->owner) : nullptr;
}

}   // namespace DG
