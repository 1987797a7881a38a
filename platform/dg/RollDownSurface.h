// UD::RollDownSurface: the client area of a dialog (a palette) as a stack of roll panels, each a
// title bar over a page area holding a DG::TabControl on which the add-on builds its page. Panels
// come in panel sets (UD::IRollDownPanelSet, AppendPanel), plus at most one separate panel
// outside the sets. Sets and panels are listed in creation order (UD::IRollPanel).
//
// A panel takes a title and three settings, in this order:
//   first  SetOptions (flags): TitleBar shows the title bar; GrowsWithDialog makes the page take
//          the dialog's height changes (the first such panel of the surface does);
//   second SetTitleBarHeight (pixels);
//   third  FixHeight (): the user can no longer drag the panel's height.
// Every page is as wide as the surface: the dialog's client width less the surface's left.
//
// Ownership: the surface owns its sets, panels and their tab controls, not the pages on them
// (their builders delete them, before the surface or after: both are harmless). The surface must
// not outlive its dialog's object, though a destroyed dialog only leaves it inert.
//
// Fails: an armed creation switch (CreationFailures.h) makes the constructor throw
// DG::CreationFailure, and CreatePanelSet, AppendPanel and CreateSeparatePanel answer null.
// Host main thread only.
#pragma once

#include "Button.h"
#include "Point.h"
#include "gs/GSString.h"

#include <memory>
#include <vector>

namespace DG {
class Dialog;
class TabControl;
}   // namespace DG

namespace UD {

class IRollDownPanelSet;

class IPanel {
public:
    enum AppendFlags : Int32 { StartsRolledUp = 1 };
    enum Options : Int32 { TitleBar = 1, GrowsWithDialog = 2 };

    virtual ~IPanel ();
    virtual DG::TabControl& GetTabControl () const = 0;
    virtual void SetTitle (const GS::String& title) = 0;
    virtual GS::String GetTitle () const = 0;

    virtual void SetOptions (Int32 options) = 0;         // first setting
    virtual void SetTitleBarHeight (Int32 height) = 0;   // second setting
    virtual void FixHeight () = 0;                       // third setting
    virtual Int32 GetOptions () const = 0;
    virtual Int32 GetTitleBarHeight () const = 0;
    virtual bool IsHeightFixed () const = 0;

    // A rolled-up panel shows only its title bar; the user cannot act on its page.
    virtual void SetRolledDown (bool down) = 0;
    virtual bool IsRolledDown () const = 0;
};

// A panel as the surface lists it: where it sits.
class IRollPanel : public IPanel {
public:
    // The set holding the panel; null for the separate panel.
    virtual IRollDownPanelSet* GetPanelSet () const = 0;
    // Position in the set, from 0; -1 for the separate panel.
    virtual Int32 GetPosition () const = 0;
};

class IRollDownPanelSet {
public:
    virtual ~IRollDownPanelSet ();
    // Appends a panel (flags: AppendFlags; 0 starts rolled down); null when it cannot be made.
    virtual IPanel* AppendPanel (Int32 flags = 0) = 0;
    virtual Int32 GetPanelCount () const = 0;
    // The panel at `position` (from 0), or null.
    virtual IRollPanel* GetPanel (Int32 position) const = 0;
    virtual std::vector<IRollPanel*> GetPanels () const = 0;
};

class RollDownSurface : private DG::ButtonItemObserver {
public:
    // A surface on `dialog` at `position` (null: the top-left corner). Clicks on the optional
    // buttons (items of the dialog) roll every panel up, or down.
    explicit RollDownSurface (const DG::Dialog& dialog, const DG::Point* position = nullptr,
                              DG::Button* rollUpAllButton = nullptr, DG::Button* rollDownAllButton = nullptr);
    ~RollDownSurface () override;
    RollDownSurface (const RollDownSurface&) = delete;
    RollDownSurface& operator= (const RollDownSurface&) = delete;

    // A new, empty panel set; null when it cannot be made.
    IRollDownPanelSet* CreatePanelSet ();
    // Makes the separate panel; a second call answers the same one. Null when it cannot be made.
    IPanel* CreateSeparatePanel ();
    // The separate panel, or null when none was made.
    IRollPanel* GetSeparatePanel () const;

    std::vector<IRollDownPanelSet*> GetPanelSets () const;
    // Every panel, of the sets and the separate one, in creation order.
    std::vector<IRollPanel*> GetRollPanels () const;

    Int32 GetDialogId () const;
    DG::Point GetPosition () const;
    Int32 GetWidth () const;

    struct Impl;

private:
    void ButtonClicked (const DG::ButtonClickEvent& ev) override;

    std::unique_ptr<Impl> impl;
};

// For the framework (windows, driver, renderer) --------------------------------------------------

// The surfaces on dialog `dialogId`, oldest first.
std::vector<const RollDownSurface*> SurfacesOnDialog (Int32 dialogId);
// The ids of the live pages on those surfaces, panel by panel in creation order.
std::vector<Int32> PagesOnDialog (Int32 dialogId);

struct PageResize {
    Int32 pageId = 0, dx = 0, dy = 0;
};
// Gives every page on the dialog's surfaces the surface's width and the first growing panel's
// page the dialog's height change `dy`; answers the pages whose size changed.
std::vector<PageResize> LayOutSurfacesOn (Int32 dialogId, Int32 dy);
// The panel holding tab control `tabControlId`, or null.
const IRollPanel* FindPanelOfTabControl (Int32 tabControlId);

}   // namespace UD
