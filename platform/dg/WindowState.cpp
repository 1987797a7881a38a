#include "WindowState.h"

#include "Dialog.h"
#include "EventDispatch.h"
#include "PanelState.h"
#include "RollDownSurface.h"

#include <algorithm>

namespace DG::Windows {

WindowState* Get (Int32 panelId)
{
    PanelState* panel = PanelStore::Find (panelId);
    if (panel == nullptr)
        return nullptr;
    if (panel->window == nullptr)
        panel->window = std::make_shared<WindowState> ();
    return panel->window.get ();
}

const WindowState* Find (Int32 panelId)
{
    const PanelState* panel = PanelStore::Find (panelId);
    return panel != nullptr ? panel->window.get () : nullptr;
}

std::string WhyUserCannotAct (Int32 panelId)
{
    const WindowState* window = Find (panelId);
    if (window == nullptr)
        return std::string ();
    if (window->tabControlId != 0) {
        const UD::IRollPanel* panel = UD::FindPanelOfTabControl (window->tabControlId);
        if (panel != nullptr && !panel->IsRolledDown ())
            return "its roll panel is rolled up";
        if (PanelStore::Find (window->dialogId) == nullptr)
            return "its palette is gone";
        window = Find (window->dialogId);
        if (window == nullptr)
            return std::string ();
    }
    if (!window->modeless)
        return std::string ();
    if (!window->shown)
        return "the palette is hidden";
    if (!window->processing)
        return "the palette takes no events";
    return std::string ();
}

bool ItemsDisabled (Int32 panelId)
{
    const WindowState* window = Find (panelId);
    if (window == nullptr)
        return false;
    if (window->itemsDisabled)
        return true;
    const WindowState* dialog = window->dialogId != 0 ? Find (window->dialogId) : nullptr;
    return dialog != nullptr && dialog->itemsDisabled;
}

bool HasCloseBox (Int32 panelId)
{
    const WindowState* window = Find (panelId);
    return window == nullptr || !window->modeless || (window->closeType & Dialog::CloseBox) != 0;
}

namespace {

void RaiseResized (Int32 dialogId, Int32 dx, Int32 dy, const std::vector<UD::PageResize>& pages)
{
    Events::PanelResized (dialogId, dx, dy);
    for (const UD::PageResize& page : pages)
        Events::PanelResized (page.pageId, page.dx, page.dy);
}

}   // namespace

void Resize (Int32 panelId, Int32 width, Int32 height)
{
    PanelState* panel = PanelStore::Find (panelId);
    if (panel == nullptr)
        return;
    width = std::max<Int32> (width, 0);
    height = std::max<Int32> (height, 0);
    const Int32 dx = width - panel->width, dy = height - panel->height;
    if (dx == 0 && dy == 0)
        return;
    panel->width = width;
    panel->height = height;
    RaiseResized (panelId, dx, dy, UD::LayOutSurfacesOn (panelId, dy));
}

void LayOutAll (Int32 dialogId)
{
    if (PanelStore::Find (dialogId) == nullptr)
        return;
    const std::vector<UD::PageResize> changed = UD::LayOutSurfacesOn (dialogId, 0);
    std::vector<UD::PageResize> pages;
    for (Int32 page : UD::PagesOnDialog (dialogId)) {
        auto it =
            std::find_if (changed.begin (), changed.end (), [&] (const UD::PageResize& p) { return p.pageId == page; });
        pages.push_back (it != changed.end () ? *it : UD::PageResize{page, 0, 0});
    }
    RaiseResized (dialogId, 0, 0, pages);
}

}   // namespace DG::Windows
