#include "RollDownPalette.h"

#include "RollDownDialogGeneralPage1.h"
#include "RollDownDialogGeneralPage2.h"
#include "RollDownDialogGeneralPage3.h"
#include "RollDownDialogGeneralPage4.h"
#include "RollDownDialogGeneralPage5.h"

#include "host/ACAPI.h"
#include "host/ResourceModuleLock.h"
#include "shell/APICommon.h"
#include "shell/Tessera.h"
#include "store/DetParNames.h"

RollDownPalette* RollDownPalette::palette = nullptr;

namespace {

constexpr Int16 PaletteTitleResID = 141;
constexpr Int16 SizeListTitleResID = 145;
constexpr Int32 AllProjectEvents = 0xFF;
constexpr Int32 TitleBarHeight = 20;

enum PaletteMessage : API_PaletteMessageID { HidePalette = 2, ShowPalette = 3 };

// Builds page class P on the panel's tab control; null when that fails or the page is invalid.
template <class Page> Page* CreatePage (const UD::IPanel& panel)
{
    Page* page = nullptr;
    try {
        page = new Page (panel.GetTabControl ());
    } catch (...) {
        page = nullptr;
    }
    if (page != nullptr && page->DG::Panel::IsValid ())
        return page;
    delete page;
    return nullptr;
}

GS::String ResourceText (Int16 listId, Int32 index)
{
    char text[256] = {};
    ResourceModuleLock lock;
    return ACAPI_Resource_GetLocStr (text, listId, index) ? GS::String (text) : GS::String ();
}

}   // namespace

RollDownDialogGeneralPage1* CreateGeneralPage1 (const UD::IPanel& panel)
{
    return CreatePage<RollDownDialogGeneralPage1> (panel);
}

RollDownDialogGeneralPage2* CreateGeneralPage2 (const UD::IPanel& panel)
{
    return CreatePage<RollDownDialogGeneralPage2> (panel);
}

RollDownDialogGeneralPage3* CreateGeneralPage3 (const UD::IPanel& panel)
{
    return CreatePage<RollDownDialogGeneralPage3> (panel);
}

RollDownDialogGeneralPage4* CreateGeneralPage4 (const UD::IPanel& panel)
{
    return CreatePage<RollDownDialogGeneralPage4> (panel);
}

RollDownDialogGeneralPage5* CreateGeneralPage5 (const UD::IPanel& panel)
{
    return CreatePage<RollDownDialogGeneralPage5> (panel);
}

void DestroyPage (const UD::IPanel& panel)
{
    delete panel.GetTabControl ().GetTabPage (1);
}

// ---- building and tearing down ------------------------------------------------------------

RollDownPalette::RollDownPalette ()
    : DockableRollDownPalette (nullptr, DG::Dialog::CloseBox, DG::Dialog::TopCaption, DG::Dialog::NormalFrame)
{
    ACAPI_Notify_CatchProjectEvent (AllProjectEvents, NotificationHandler);
    PopulateDetParams ();
    try {
        Build ();
    } catch (...) {
        valid = false;   // the destructor deletes whatever pages were built
    }
    if (valid) {
        Attach (*this);
        palette = this;
    }
}

// Steps that run only while the palette is valid; the first failure stops them. Each roll panel
// gets its settings (options, title bar height, fixed height) around its page's creation.
void RollDownPalette::Build ()
{
    UD::RollDownSurface* surface = GetRollDownSurface ();
    valid = surface != nullptr && DG::Panel::IsValid ();
    if (!valid)
        return;
    SetGrowType (DG::Dialog::HVGrow);
    UD::IRollDownPanelSet* set = surface->CreatePanelSet ();
    valid = set != nullptr;

    UD::IPanel* panel = valid ? set->AppendPanel (0) : nullptr;
    valid = panel != nullptr;
    if (valid) {
        panel->SetOptions (UD::IPanel::TitleBar);
        generalPage1 = CreateGeneralPage1 (*panel);
        panel->FixHeight ();
        panel->SetTitleBarHeight (TitleBarHeight);
        valid = generalPage1 != nullptr;
    }

    panel = valid ? set->AppendPanel (0) : nullptr;
    valid = panel != nullptr;
    if (valid) {
        panel->SetOptions (UD::IPanel::TitleBar);
        panel->SetTitleBarHeight (TitleBarHeight);
        generalPage2 = CreateGeneralPage2 (*panel);
        panel->FixHeight ();
        valid = generalPage2 != nullptr;
    }

    panel = valid ? set->AppendPanel (0) : nullptr;
    valid = panel != nullptr;
    if (valid) {
        panel->SetOptions (UD::IPanel::TitleBar);
        panel->SetTitleBarHeight (TitleBarHeight);
        generalPage3 = CreateGeneralPage3 (*panel);
        panel->FixHeight ();
        valid = generalPage3 != nullptr;
    }

    panel = valid ? set->AppendPanel (0) : nullptr;
    valid = panel != nullptr;
    if (valid) {
        panel->SetTitle (ResourceText (SizeListTitleResID, 1));
        panel->SetOptions (UD::IPanel::TitleBar | UD::IPanel::GrowsWithDialog);
        panel->SetTitleBarHeight (TitleBarHeight);
        generalPage4 = CreateGeneralPage4 (*panel);
        valid = generalPage4 != nullptr;
    }

    panel = valid ? surface->CreateSeparatePanel () : nullptr;
    valid = panel != nullptr;
    if (valid) {
        generalPage5 = CreateGeneralPage5 (*panel);
        valid = generalPage5 != nullptr;
    }
}

RollDownPalette::~RollDownPalette ()
{
    if (UD::RollDownSurface* surface = GetRollDownSurface ()) {
        for (UD::IRollDownPanelSet* set : surface->GetPanelSets ())
            for (UD::IRollPanel* panel : set->GetPanels ())
                DestroyPage (*panel);
        if (UD::IRollPanel* separate = surface->GetSeparatePanel ())
            DestroyPage (*separate);
    }
    generalPage1 = nullptr;
    generalPage2 = nullptr;
    generalPage3 = nullptr;
    generalPage4 = nullptr;
    generalPage5 = nullptr;
    Detach (*this);
    ACAPI_UnregisterModelessWindow (GetId ());
}

// ---- the palette's own events ---------------------------------------------------------------

void RollDownPalette::PanelOpened (const DG::PanelOpenEvent&)
{
    ACAPI_RegisterModelessWindow (GetId (), RDPaletteAPIControlCallBack, ModelessWindowFlags);
}

void RollDownPalette::PanelCloseRequested (const DG::PanelCloseRequestEvent& ev, bool* accepted)
{
    const bool own = ev.GetSource () == static_cast<DG::Panel*> (this);
    if (accepted != nullptr)
        *accepted = own;
    if (own)
        ShowHideRollDownPalette ();   // deletes this palette: nothing of it is touched after
}

void RollDownPalette::PanelResized (const DG::PanelResizeEvent&)
{
    MySetTitle ();
}

void RollDownPalette::MySetTitle ()
{
    char title[256] = {};
    ResourceModuleLock lock;
    if (ACAPI_Resource_GetLocStr (title, PaletteTitleResID, 1))
        SetTitle (title);
}

// ---- showing and hiding ---------------------------------------------------------------------

void ShowHideRollDownPalette ()
{
    if (RollDownPalette* open = RollDownPalette::palette) {
        open->EndEventProcessing ();
        RollDownPalette::palette = nullptr;
        delete open;
        SetMenuItemState (false);
        return;
    }

    RollDownPalette* created = nullptr;
    {
        ResourceModuleLock lock;
        try {
            created = new RollDownPalette ();
        } catch (...) {
            created = nullptr;
        }
    }
    if (created == nullptr || !created->IsValid ()) {
        delete created;
        RollDownPalette::palette = nullptr;
        return;
    }
    RollDownPalette::palette = created;
    created->BeginEventProcessing ();
    created->Show ();
    created->generalPage5->PopulateTree ();
    SetMenuItemState (true);
}

GSErrCode RDPaletteAPIControlCallBack (Int32, API_PaletteMessageID messageID)
{
    RollDownPalette* palette = RollDownPalette::palette;
    if (palette == nullptr)
        return NoError;
    if (messageID == HidePalette) {
        SetMenuItemState (false);
        palette->Hide ();
    } else if (messageID == ShowPalette) {
        palette->Show ();
        SetMenuItemState (true);
    }
    return NoError;
}
