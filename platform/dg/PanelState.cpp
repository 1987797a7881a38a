#include "PanelState.h"

#include "rsrc/ResourceModules.h"

#include <algorithm>
#include <map>

namespace DG {

ItemState* PanelState::Item (Int32 item)
{
    if (item < 1 || static_cast<size_t> (item) > items.size ())
        return nullptr;
    return &items[static_cast<size_t> (item - 1)];
}

namespace PanelStore {

namespace {

struct Store {
    std::map<Int32, PanelState> panels;
    Int32 nextId = 1;
};

Store& TheStore ()
{
    static Store store;
    return store;
}

}   // namespace

Int32 Create (Panel* owner, Int16 resourceId, GSResModule module)
{
    const RSRC::ResourceFile* file = module == ActiveResModule ? RSRC::ActiveFile () : RSRC::GetModule (module);
    const RSRC::DialogLayout* layout = file != nullptr ? file->GetDialog (resourceId) : nullptr;
    if (layout == nullptr)
        return 0;

    Store& store = TheStore ();
    const Int32 id = store.nextId++;
    PanelState& state = store.panels[id];
    state.id = id;
    state.resourceId = resourceId;
    state.owner = owner;
    state.title = layout->title;
    state.width = layout->width;
    state.height = layout->height;
    for (const RSRC::DialogItem& di : layout->items) {
        ItemState item;
        item.kind = ItemKindFromName (di.kind);
        item.rect = Rect{di.rect.left, di.rect.top, di.rect.width, di.rect.height};
        item.text = di.text;
        item.iconId = di.iconId;
        item.group = di.group;
        if (item.kind == ItemKind::Icon && item.text.empty () && di.iconId >= 0) {
            if (const RSRC::Icon* icon = file->GetIcon (di.iconId))
                item.text = icon->glyph;   // how the icon reads in a text rendering
        }
        state.items.push_back (item);
    }
    return id;
}

Int32 CreateBlank (Panel* owner, Int32 width, Int32 height)
{
    Store& store = TheStore ();
    const Int32 id = store.nextId++;
    PanelState& state = store.panels[id];
    state.id = id;
    state.owner = owner;
    state.width = width;
    state.height = height;
    return id;
}

void Destroy (Int32 panelId)
{
    TheStore ().panels.erase (panelId);
}

PanelState* Find (Int32 panelId)
{
    Store& store = TheStore ();
    auto it = store.panels.find (panelId);
    return it == store.panels.end () ? nullptr : &it->second;
}

ItemState* FindItem (Int32 panelId, Int32 item)
{
    PanelState* panel = Find (panelId);
    return panel != nullptr ? panel->Item (item) : nullptr;
}

void ForgetObserver (const PanelObserver* observer)
{
    for (auto& [id, panel] : TheStore ().panels) {
        auto& po = panel.observers;
        po.erase (std::remove (po.begin (), po.end (), observer), po.end ());
    }
}

void ForgetObserver (const ItemObserver* observer)
{
    for (auto& [id, panel] : TheStore ().panels) {
        for (ItemState& item : panel.items) {
            auto& io = item.observers;
            io.erase (std::remove_if (io.begin (), io.end (),
                                      [&] (const ItemAttachment& a) { return a.observer == observer; }),
                      io.end ());
        }
    }
}

void ForgetItem (Int32 panelId, const Item* source)
{
    PanelState* panel = Find (panelId);
    if (panel == nullptr)
        return;
    for (ItemState& item : panel->items) {
        auto& io = item.observers;
        io.erase (std::remove_if (io.begin (), io.end (), [&] (const ItemAttachment& a) { return a.source == source; }),
                  io.end ());
    }
}

std::vector<Int32> LivePanels ()
{
    std::vector<Int32> ids;
    for (const auto& [id, panel] : TheStore ().panels)
        ids.push_back (id);
    return ids;
}

}   // namespace PanelStore

}   // namespace DG
