#include "RollDownSurface.h"

#include "CreationFailures.h"
#include "Dialog.h"
#include "PanelState.h"
#include "TabControl.h"

#include <algorithm>
#include <map>

namespace UD {

IPanel::~IPanel () = default;
IRollDownPanelSet::~IRollDownPanelSet () = default;

namespace {

class PanelSet;

class RollPanel : public IRollPanel {
public:
    RollPanel (const DG::Dialog& dialog, Int32 width, PanelSet* set, Int32 position, Int32 sequence, Int32 flags)
        : control (dialog, width), set (set), position (position), sequence (sequence),
          rolledDown ((flags & StartsRolledUp) == 0)
    {
    }

    DG::TabControl& GetTabControl () const override { return control; }
    void SetTitle (const GS::String& text) override { title = text; }
    GS::String GetTitle () const override { return title; }
    void SetOptions (Int32 value) override { options = value; }
    void SetTitleBarHeight (Int32 height) override { titleBarHeight = height; }
    void FixHeight () override { fixed = true; }
    Int32 GetOptions () const override { return options; }
    Int32 GetTitleBarHeight () const override { return titleBarHeight; }
    bool IsHeightFixed () const override { return fixed; }
    void SetRolledDown (bool down) override { rolledDown = down; }
    bool IsRolledDown () const override { return rolledDown; }
    IRollDownPanelSet* GetPanelSet () const override;
    Int32 GetPosition () const override { return position; }

    Int32 Sequence () const { return sequence; }

private:
    mutable DG::TabControl control;
    PanelSet* set;
    Int32 position;
    Int32 sequence;
    GS::String title;
    Int32 options = 0;
    Int32 titleBarHeight = 0;
    bool fixed = false;
    bool rolledDown;
};

class PanelSet : public IRollDownPanelSet {
public:
    explicit PanelSet (RollDownSurface::Impl& surface) : surface (surface) {}

    IPanel* AppendPanel (Int32 flags) override;
    Int32 GetPanelCount () const override { return static_cast<Int32> (panels.size ()); }
    IRollPanel* GetPanel (Int32 position) const override
    {
        return position >= 0 && position < GetPanelCount () ? panels[static_cast<size_t> (position)].get () : nullptr;
    }
    std::vector<IRollPanel*> GetPanels () const override
    {
        std::vector<IRollPanel*> all;
        for (const auto& p : panels)
            all.push_back (p.get ());
        return all;
    }

private:
    RollDownSurface::Impl& surface;
    std::vector<std::unique_ptr<RollPanel>> panels;
};

IRollDownPanelSet* RollPanel::GetPanelSet () const
{
    return set;
}

struct Registry {
    std::map<Int32, RollDownSurface*> surfaces;
    Int32 nextId = 1;
};

Registry& TheRegistry ()
{
    static Registry registry;
    return registry;
}

}   // namespace

struct RollDownSurface::Impl {
    Int32 id = 0;
    Int32 dialogId = 0;
    DG::Point position;
    DG::Button* rollUpAll = nullptr;
    DG::Button* rollDownAll = nullptr;
    std::vector<std::unique_ptr<PanelSet>> sets;
    std::unique_ptr<RollPanel> separate;
    Int32 nextSequence = 0;

    const DG::Dialog* Dialog () const
    {
        const DG::PanelState* s = DG::PanelStore::Find (dialogId);
        return s != nullptr ? dynamic_cast<const DG::Dialog*> (s->owner) : nullptr;
    }
    Int32 Width () const
    {
        const DG::Dialog* dialog = Dialog ();
        const Int32 width = dialog != nullptr ? dialog->GetClientWidth () - position.x : 0;
        return width > 0 ? width : 0;
    }
    // A new panel on the dialog, or null when there is no dialog or the switch says so.
    std::unique_ptr<RollPanel> MakePanel (PanelSet* set, Int32 position, Int32 flags, DG::Creation kind)
    {
        const DG::Dialog* dialog = Dialog ();
        if (dialog == nullptr || DG::CreationFails (kind))
            return nullptr;
        return std::make_unique<RollPanel> (*dialog, Width (), set, position, nextSequence++, flags);
    }
};

namespace {

IPanel* PanelSet::AppendPanel (Int32 flags)
{
    std::unique_ptr<RollPanel> panel = surface.MakePanel (this, GetPanelCount (), flags, DG::Creation::Panel);
    if (panel == nullptr)
        return nullptr;
    panels.push_back (std::move (panel));
    return panels.back ().get ();
}

}   // namespace

RollDownSurface::RollDownSurface (const DG::Dialog& dialog, const DG::Point* position, DG::Button* rollUpAllButton,
                                  DG::Button* rollDownAllButton)
{
    if (DG::CreationFails (DG::Creation::Surface))
        throw DG::CreationFailure ("the roll-down surface could not be created");
    impl = std::make_unique<Impl> ();
    impl->id = TheRegistry ().nextId++;
    impl->dialogId = dialog.GetId ();
    if (position != nullptr)
        impl->position = *position;
    impl->rollUpAll = rollUpAllButton;
    impl->rollDownAll = rollDownAllButton;
    for (DG::Button* button : {rollUpAllButton, rollDownAllButton}) {
        if (button != nullptr)
            button->Attach (*this);
    }
    TheRegistry ().surfaces[impl->id] = this;
}

RollDownSurface::~RollDownSurface ()
{
    TheRegistry ().surfaces.erase (impl->id);
}

void RollDownSurface::ButtonClicked (const DG::ButtonClickEvent& ev)
{
    const bool down = ev.GetSource () == impl->rollDownAll;
    if (!down && ev.GetSource () != impl->rollUpAll)
        return;
    for (IRollPanel* panel : GetRollPanels ())
        panel->SetRolledDown (down);
}

IRollDownPanelSet* RollDownSurface::CreatePanelSet ()
{
    if (impl->Dialog () == nullptr || DG::CreationFails (DG::Creation::PanelSet))
        return nullptr;
    impl->sets.push_back (std::make_unique<PanelSet> (*impl));
    return impl->sets.back ().get ();
}

IPanel* RollDownSurface::CreateSeparatePanel ()
{
    if (impl->separate == nullptr)
        impl->separate = impl->MakePanel (nullptr, -1, 0, DG::Creation::SeparatePanel);
    return impl->separate.get ();
}

IRollPanel* RollDownSurface::GetSeparatePanel () const
{
    return impl->separate.get ();
}

std::vector<IRollDownPanelSet*> RollDownSurface::GetPanelSets () const
{
    std::vector<IRollDownPanelSet*> sets;
    for (const auto& s : impl->sets)
        sets.push_back (s.get ());
    return sets;
}

std::vector<IRollPanel*> RollDownSurface::GetRollPanels () const
{
    std::vector<IRollPanel*> all;
    for (const auto& s : impl->sets) {
        for (IRollPanel* p : s->GetPanels ())
            all.push_back (p);
    }
    if (impl->separate != nullptr)
        all.push_back (impl->separate.get ());
    std::stable_sort (all.begin (), all.end (), [] (IRollPanel* a, IRollPanel* b) {
        return static_cast<RollPanel*> (a)->Sequence () < static_cast<RollPanel*> (b)->Sequence ();
    });
    return all;
}

Int32 RollDownSurface::GetDialogId () const
{
    return impl->dialogId;
}

DG::Point RollDownSurface::GetPosition () const
{
    return impl->position;
}

Int32 RollDownSurface::GetWidth () const
{
    return impl->Width ();
}

std::vector<const RollDownSurface*> SurfacesOnDialog (Int32 dialogId)
{
    std::vector<const RollDownSurface*> found;
    for (const auto& [id, surface] : TheRegistry ().surfaces) {
        if (dialogId != 0 && surface->GetDialogId () == dialogId)
            found.push_back (surface);
    }
    return found;
}

std::vector<Int32> PagesOnDialog (Int32 dialogId)
{
    std::vector<Int32> pages;
    for (const RollDownSurface* surface : SurfacesOnDialog (dialogId)) {
        for (const IRollPanel* panel : surface->GetRollPanels ()) {
            const DG::TabControlState* control = DG::TabControl::FindState (panel->GetTabControl ().GetId ());
            for (const auto& [tab, pageId] : control->pages) {
                if (DG::PanelStore::Find (pageId) != nullptr)
                    pages.push_back (pageId);
            }
        }
    }
    return pages;
}

std::vector<PageResize> LayOutSurfacesOn (Int32 dialogId, Int32 dy)
{
    std::vector<PageResize> changes;
    for (const RollDownSurface* surface : SurfacesOnDialog (dialogId)) {
        const Int32 width = surface->GetWidth ();
        bool grown = false;
        for (const IRollPanel* panel : surface->GetRollPanels ()) {
            const bool grows = !grown && (panel->GetOptions () & IPanel::GrowsWithDialog) != 0;
            grown = grown || grows;
            DG::TabControlState* control = DG::TabControl::FindState (panel->GetTabControl ().GetId ());
            control->width = width;
            for (const auto& [tab, pageId] : control->pages) {
                DG::PanelState* page = DG::PanelStore::Find (pageId);
                if (page == nullptr)
                    continue;
                const Int32 height = grows ? std::max<Int32> (0, page->height + dy) : page->height;
                if (width == page->width && height == page->height)
                    continue;
                changes.push_back (PageResize{pageId, width - page->width, height - page->height});
                page->width = width;
                page->height = height;
            }
        }
    }
    return changes;
}

const IRollPanel* FindPanelOfTabControl (Int32 tabControlId)
{
    for (const auto& [id, surface] : TheRegistry ().surfaces) {
        for (const IRollPanel* panel : surface->GetRollPanels ()) {
            if (panel->GetTabControl ().GetId () == tabControlId)
                return panel;
        }
    }
    return nullptr;
}

}   // namespace UD
