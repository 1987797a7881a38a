#include "TextRenderer.h"

#include "ListRenderer.h"
#include "Panel.h"
#include "SurfaceRenderer.h"
#include "WindowState.h"

#include <algorithm>

namespace DG {

std::string RenderItem (const ItemState& item)
{
    std::string text;
    switch (item.kind) {
    case ItemKind::Button:
        text = "[" + item.text + "]";
        break;
    case ItemKind::CheckBox:
        text = (item.value != 0 ? "[x] " : "[ ] ") + item.text;
        break;
    case ItemKind::RadioButton:
        text = (item.value != 0 ? "(o) " : "( ) ") + item.text;
        break;
    case ItemKind::IntEdit:
        text = "[" + std::to_string (item.value) + "]";
        break;
    case ItemKind::PopUp: {   // the selected entry
        const bool chosen = item.value >= 1 && static_cast<size_t> (item.value) <= item.entries.size ();
        text = "<" + (chosen ? item.entries[static_cast<size_t> (item.value - 1)] : item.text) + ">";
        break;
    }
    case ItemKind::LeftText:
    case ItemKind::CenterText:
    case ItemKind::RightText:
    case ItemKind::Icon:
        text = item.text;
        break;
    case ItemKind::SingleSelList:
    case ItemKind::MultiSelList:
        text = RenderList (item);
        break;
    default:
        break;
    }
    if (!text.empty () && !item.enabled)
        text += " (dimmed)";
    return text;
}

std::string RenderPanel (Int32 panelId)
{
    const PanelState* panel = PanelStore::Find (panelId);
    if (panel == nullptr)
        return std::string ();

    // Panel::DisableItems dims every item whatever its own state: render dimmed copies.
    std::vector<ItemState> dimmed;
    if (Windows::ItemsDisabled (panelId)) {
        dimmed = panel->items;
        for (ItemState& item : dimmed)
            item.enabled = false;
    }
    std::vector<const ItemState*> shown;
    for (const ItemState& item : dimmed.empty () ? panel->items : dimmed) {
        if (item.visible && !RenderItem (item).empty ())
            shown.push_back (&item);
    }
    std::stable_sort (shown.begin (), shown.end (), [] (const ItemState* a, const ItemState* b) {
        return a->rect.top != b->rect.top ? a->rect.top < b->rect.top : a->rect.left < b->rect.left;
    });

    std::string out = "== " + panel->title + " ==\n";
    for (size_t i = 0; i < shown.size (); ++i) {
        if (i > 0) {
            const bool oneLine = RenderItem (*shown[i]).find ('\n') == std::string::npos &&
                                 RenderItem (*shown[i - 1]).find ('\n') == std::string::npos;
            out += oneLine && shown[i]->rect.top == shown[i - 1]->rect.top ? "  " : "\n";
        }
        out += RenderItem (*shown[i]);
    }
    if (!shown.empty ())
        out += "\n";
    return out + UD::RenderSurfaces (panelId);
}

std::string RenderPanel (const Panel& panel)
{
    return RenderPanel (panel.GetId ());
}

}   // namespace DG
