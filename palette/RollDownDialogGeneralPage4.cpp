#include "RollDownDialogGeneralPage4.h"

#include "RollDownDialogGeneralPage3.h"
#include "RollDownDialogGeneralPage5.h"
#include "RollDownPalette.h"

#include "host/ResourceModuleLock.h"
#include "store/ChangeLODDialog.h"
#include "store/TesseraModuleData.h"

#include <set>

namespace {

constexpr Int32 PageHeight = 480;

// Ranking order: equal rows have the same polygons and the same GUID text.
struct Ranked {
    bool operator() (const LibRow& a, const LibRow& b) const { return a > b; }
};

}   // namespace

RollDownDialogGeneralPage4::RollDownDialogGeneralPage4 (const DG::TabControl& tabControl)
    : RollDownDialogGeneralPage (tabControl, ResourceId), sizeList (GetReference ())
{
    SetHeight (PageHeight);
    sizeList.Attach (*this);
    sizeList.Show ();
}

RollDownDialogGeneralPage4::~RollDownDialogGeneralPage4 ()
{
    sizeList.Detach (*this);
}

void RollDownDialogGeneralPage4::PanelResized (const DG::PanelResizeEvent& ev)
{
    if (!IsOwnEvent (ev))
        return;
    BeginMoveResizeItems ();
    const DG::Rect list = sizeList.GetRect ();
    sizeList.SetRect (DG::Rect{list.left, list.top, GetWidth () - 4, GetHeight () - 24});
    EndMoveResizeItems ();

    BeginMoveResizeItems ();
    sizeList.MyResize ();
    EndMoveResizeItems ();
}

void RollDownDialogGeneralPage4::ListBoxClicked (const DG::ListBoxClickEvent& ev)
{
    const Int32 x = ev.GetMouseOffset ();
    if (x < sizeList.GetTabFieldBeginPosition (1) || x > sizeList.GetTabFieldEndPosition (1))
        return;
    if (ev.GetCommandKeyState () || ev.GetOptionKeyState ())
        return;
    const Int16 row = ev.GetListItem ();
    const Int32 icon = sizeList.GetTabItemIcon (row, 1).GetResourceId ();
    if (icon == ExpandedIcon)
        sizeList.ListBoxDeleteItems (row);
    else if (icon == CollapsedIcon)
        sizeList.ListBoxInsertItems (row);
}

void RollDownDialogGeneralPage4::ListBoxDoubleClicked (const DG::ListBoxDoubleClickEvent& ev)
{
    if (ev.GetMouseOffset () <= sizeList.GetTabFieldBeginPosition (3))
        return;
    if (ev.GetCommandKeyState () || ev.GetOptionKeyState ())
        return;
    ShowChangeDialog ();
}

std::vector<LibRow> RollDownDialogGeneralPage4::GatherChangeRows () const
{
    std::vector<LibRow> rows;
    std::set<LibRow, Ranked> lastGroup;   // the parts of the last selected root row
    const GS::Array<Int16> selected = sizeList.GetSelectedItems ();
    for (const Int16 row : selected) {
        const Int32 icon = sizeList.GetTabItemIcon (row, 1).GetResourceId ();
        if (icon < 0) {   // a library-part row
            const LibRow* part = sizeList.RowOf (row);
            if (part != nullptr && !sizeList.IsItemGrayed (row) && lastGroup.count (*part) == 0)
                rows.push_back (*part);
        } else if (icon == CollapsedIcon || icon == ExpandedIcon) {
            const std::vector<LibRow>* parts =
                RefreshData::current != nullptr ? RefreshData::current->sortedGsms.GetPtr (sizeList.GetItemValue (row))
                                                : nullptr;
            if (parts == nullptr)
                continue;
            lastGroup = std::set<LibRow, Ranked> (parts->begin (), parts->end ());
            for (const LibRow& part : *parts)
                if (part.detLev < DetLevNone)
                    rows.push_back (part);
        }
    }
    return rows;
}

void RollDownDialogGeneralPage4::ShowChangeDialog ()
{
    std::vector<LibRow> rows = GatherChangeRows ();
    bool refresh = false;
    {
        ResourceModuleLock lock;
        ChangeLODDialog dialog (ChangeDialogResId, &rows);
        if (!rows.empty ())
            refresh = dialog.Invoke ();
    }
    RollDownPalette* palette = GetPalette ();
    if (refresh && palette != nullptr && palette->generalPage5 != nullptr)
        palette->generalPage5->PopulateTree ();
    else
        sizeList.ValidateDetailColumn ();
}

void RollDownDialogGeneralPage4::PopulateTree ()
{
    sizeList.PopulateTree ();
    RollDownPalette* palette = GetPalette ();
    if (palette != nullptr && palette->generalPage3 != nullptr)
        palette->generalPage3->SetSelectedItem (DefaultLevelEntry ());
}
