#include "RollDownDialogGeneralPage5.h"

#include "RollDownDialogGeneralPage1.h"
#include "RollDownDialogGeneralPage2.h"
#include "RollDownDialogGeneralPage3.h"
#include "RollDownDialogGeneralPage4.h"
#include "RollDownPalette.h"

#include "census/RefreshData.h"
#include "census/RegionalSettings.h"
#include "dg/FunctionTable.h"
#include "host/ResourceModuleLock.h"
#include "store/Data.h"

namespace {

constexpr Int32 PageHeight = 30;
constexpr Int16 TotalLabelResID = 146;

// Disables every item of the palette for as long as it lives.
class ItemsDisabled {
public:
    explicit ItemsDisabled (DG::Dialog* dialog) : dialog (dialog)
    {
        if (dialog != nullptr)
            dialog->DisableItems ();
    }
    ~ItemsDisabled ()
    {
        if (dialog != nullptr)
            dialog->EnableItems ();
    }
    ItemsDisabled (const ItemsDisabled&) = delete;
    ItemsDisabled& operator= (const ItemsDisabled&) = delete;

private:
    DG::Dialog* dialog;
};

}   // namespace

RollDownDialogGeneralPage5::RollDownDialogGeneralPage5 (const DG::TabControl& tabControl)
    : RollDownDialogGeneralPage (tabControl, ResourceId), selectButton (GetReference (), 1),
      refreshButton (GetReference (), 2), changeButton (GetReference (), 3), totalText (GetReference (), TotalTextId)
{
    SetHeight (PageHeight);
    selectButton.Attach (*this);
    refreshButton.Attach (*this);
    changeButton.Attach (*this);
}

RollDownDialogGeneralPage5::~RollDownDialogGeneralPage5 ()
{
    selectButton.Detach (*this);
    refreshButton.Detach (*this);
    changeButton.Detach (*this);
}

void RollDownDialogGeneralPage5::ButtonClicked (const DG::ButtonClickEvent& ev)
{
    if (ev.GetSource () == &selectButton) {
        MySelect ();
    } else if (ev.GetSource () == &refreshButton) {
        PopulateTree ();
    } else if (ev.GetSource () == &changeButton) {
        RollDownPalette* palette = GetPalette ();
        if (palette != nullptr && palette->generalPage4 != nullptr)
            palette->generalPage4->ShowChangeDialog ();
    }
}

bool RollDownDialogGeneralPage5::ReadScope (Scope* scope) const
{
    RollDownPalette* palette = GetPalette ();
    if (palette == nullptr || palette->generalPage1 == nullptr || palette->generalPage2 == nullptr)
        return false;
    const RollDownDialogGeneralPage1& page1 = *palette->generalPage1;
    scope->useMarquee = palette->generalPage2->selectionRadio.IsSelected ();
    scope->allStories = page1.allStoriesRadio.IsSelected ();
    scope->fromStory = scope->allStories ? page1.firstStory : page1.fromEdit.GetValue ();
    scope->toStory = scope->allStories ? page1.lastStory : page1.toEdit.GetValue ();
    return true;
}

void RollDownDialogGeneralPage5::PopulateTree ()
{
    RollDownPalette* palette = GetPalette ();
    if (palette == nullptr || palette->generalPage3 == nullptr || palette->generalPage4 == nullptr)
        return;
    ItemsDisabled disabled (palette);
    Scope scope;
    if (!ReadScope (&scope))
        return;
    Data& data = Data::Instance ();
    data.useMarquee = scope.useMarquee;
    data.allStories = scope.allStories;
    data.fromStory = scope.fromStory;
    data.toStory = scope.toStory;
    data.defaultDetLev = static_cast<Int16> (palette->generalPage3->GetSelectedItem () - 1);
    palette->generalPage4->PopulateTree ();
    setNumberOfPolygonsText ();
}

void RollDownDialogGeneralPage5::MySelect ()
{
    RollDownPalette* palette = GetPalette ();
    if (palette == nullptr || palette->generalPage4 == nullptr)
        return;
    ItemsDisabled disabled (palette);
    Scope scope;
    if (ReadScope (&scope))
        palette->generalPage4->sizeList.MySelect (scope.useMarquee, scope.allStories, scope.fromStory, scope.toStory);
}

void RollDownDialogGeneralPage5::setNumberOfPolygonsText ()
{
    GS::String text;
    {
        char label[256] = {};
        ResourceModuleLock lock;
        if (ACAPI_Resource_GetLocStr (label, TotalLabelResID, 1))
            text = label;
    }
    if (RefreshData::current != nullptr)
        text += RegionalSettings ().CutInGr (RefreshData::current->totalPolygons);
    else
        text += "0";
    dgFt.SetItemText (ResourceId, TotalTextId, "");
    dgFt.SetItemTextAndRedraw (ResourceId, TotalTextId, text.ToCStr ());
}

void RollDownDialogGeneralPage5::PanelResized (const DG::PanelResizeEvent& ev)
{
    if (!IsOwnEvent (ev))
        return;
    const DG::Dialog* dialog = GetParentDialog ();
    const Int32 clientWidth = dialog != nullptr ? dialog->GetClientWidth () : 0;
    BeginMoveResizeItems ();
    const DG::Rect first = selectButton.GetRect ();
    const Int32 w1 = first.width, w2 = refreshButton.GetWidth (), w3 = changeButton.GetWidth ();
    const Int32 gap = (clientWidth - w1 - w2 - w3) / 4;   // truncated toward zero
    selectButton.SetRect (DG::Rect{gap, first.top, w1, first.height});
    refreshButton.SetRect (DG::Rect{2 * gap + w1, first.top, w2, first.height});
    changeButton.SetRect (DG::Rect{3 * gap + w1 + w2, first.top, w3, first.height});
    changeButton.Show ();
    changeButton.Redraw ();
    totalText.SetPosition (gap, totalText.GetRect ().top);
    EndMoveResizeItems ();
}
