// The size list's rows: a census, the root rows, the library-part rows under them and their
// detail texts.
//
// A library-part row's value names its LibRow as (census type + 1) in the top byte and the
// position in RefreshData::current's ranked list of that type below it; root rows hold the bare
// census type (0 to 33), so the two never meet. RowOf checks every part of a value against the
// current census, so a value that no longer fits answers null instead of reaching past a list.
#include "SizeList.h"

#include "census/RegionalSettings.h"
#include "store/Data.h"
#include "store/DisplayedDetLev.h"

#include <limits>

namespace {

constexpr Int32 LibRowTypeShift = 24;
constexpr Int32 LibRowIndexMask = (1 << LibRowTypeShift) - 1;
constexpr Int32 MaxRows = std::numeric_limits<Int16>::max ();   // rows are numbered with 16 bits

constexpr Int16 LibPartIconTab = 2;
constexpr Int16 NameTab = 3;
constexpr Int16 CountTab = 4;
constexpr Int16 PolygonTab = 5;
constexpr Int16 ShareTab = 6;
constexpr Int16 DetailTab = 7;

constexpr Int16 NoDetailParameter = 5;

Int32 LibRowValue (API_ElemTypeID type, size_t index)
{
    return ((type + 1) << LibRowTypeShift) | static_cast<Int32> (index);
}

bool IsLibPartCensusType (API_ElemTypeID type)
{
    for (API_ElemTypeID t : LibPartCensusTypes)
        if (t == type)
            return true;
    return false;
}

// The share of all polygons as the list writes it; 0 when there are none.
GS::String ShareText (RegionalSettings& numbers, Int64 polygons, Int64 total)
{
    const double percent = total > 0 ? 100.0 * static_cast<double> (polygons) / static_cast<double> (total) : 0.0;
    return numbers.CutInGr (percent);
}

}   // namespace

const LibRow* SizeList::RowOf (Int16 row) const
{
    const RefreshData* census = RefreshData::current;
    if (census == nullptr || !IsLibPartRow (row))
        return nullptr;
    const Int32 value = GetItemValue (row);
    if (value < (1 << LibRowTypeShift))
        return nullptr;
    const API_ElemTypeID type = (value >> LibRowTypeShift) - 1;
    const size_t index = static_cast<size_t> (value & LibRowIndexMask);
    const std::vector<LibRow>* ranked = census->sortedGsms.GetPtr (type);
    if (ranked == nullptr || index >= ranked->size ())
        return nullptr;
    return &(*ranked)[index];
}

void SizeList::PopulateTree ()
{
    const Int16 scroll = GetScrollPosition ();
    DeleteItem (0);
    RefreshData::PopulateTree ();
    Data::Instance ().WriteBackToDetLevValuesGuidIndexFC ();
    if (RefreshData::current == nullptr)
        return;
    FillListBox ();
    SetScrollPosition (scroll);
}

void SizeList::FillListBox ()
{
    MyResize ();
    const RefreshData* census = RefreshData::current;
    if (census == nullptr)
        return;
    for (API_ElemTypeID type : ReportedCensusTypes) {
        ListBoxInsertItemUnderRoot (ElemID_To_Name (type), census->elemsPerType[type], census->polysPerType[type],
                                    census->totalPolygons, type);
        if (!IsLibPartCensusType (type))
            continue;
        const std::vector<LibRow>* ranked = census->sortedGsms.GetPtr (type);
        if (ranked == nullptr || ranked->empty ())
            continue;
        const Int16 root = GetItemCount ();
        const bool* open = expanded.GetPtr (type);
        if (open != nullptr && *open)
            ListBoxInsertItems (root);
        else
            SetTabItemIcon (root, 1, *collapsedIcon);
    }
}

void SizeList::ListBoxInsertItemUnderRoot (const char* name, Int32 count, Int64 polygons, Int64 total,
                                           API_ElemTypeID type)
{
    if (GetItemCount () >= MaxRows)
        return;
    RegionalSettings numbers;
    AppendItem ();
    const Int16 row = GetItemCount ();
    SetTabItemIcon (row, 1, *rootIcon);
    SetTabItemText (row, NameTab, name);
    SetTabItemText (row, CountTab, numbers.CutInGr (count));
    SetTabItemText (row, PolygonTab, numbers.CutInGr (polygons));
    SetTabItemText (row, ShareTab, ShareText (numbers, polygons, total));
    SetItemValue (row, type);
    GrayItem (row);
}

void SizeList::ListBoxInsertItems (Int16 row)
{
    const RefreshData* census = RefreshData::current;
    if (census == nullptr || row < 1 || row > GetItemCount () || IsLibPartRow (row))
        return;
    const API_ElemTypeID type = GetItemValue (row);
    if (!IsLibPartCensusType (type) || IsLibPartRow (static_cast<Int16> (row + 1)))
        return;   // not an expandable root row, or its parts are shown already
    const std::vector<LibRow>* ranked = census->sortedGsms.GetPtr (type);
    if (ranked == nullptr)
        return;
    const std::vector<LibRow> rows = *ranked;

    RegionalSettings numbers;
    for (size_t i = 0; i < rows.size () && i <= static_cast<size_t> (LibRowIndexMask); ++i) {
        if (GetItemCount () >= MaxRows)
            break;   // the list cannot number more rows
        const LibRow& part = rows[i];
        const Int16 at = static_cast<Int16> (row + static_cast<Int32> (i) + 1);
        InsertItem (at);
        SetTabItemIcon (at, LibPartIconTab, *libPartIcon);
        SetTabItemText (at, NameTab, part.name);
        SetTabItemText (at, CountTab, numbers.CutInGr (part.count));
        SetTabItemText (at, PolygonTab, numbers.CutInGr (part.polygons));
        SetTabItemText (at, ShareTab, ShareText (numbers, part.polygons, census->totalPolygons));
        SetItemValue (at, LibRowValue (type, i));
        GetActValue (at);
        if (part.flags != 0)
            GrayItem (at);
        if (!part.avail[0])
            GrayItem (at);
    }
    SetTabItemIcon (row, 1, *expandedIcon);
    expanded.Put (type, true);
}

void SizeList::ListBoxDeleteItems (Int16 row)
{
    if (row < 1 || row > GetItemCount () || IsLibPartRow (row))
        return;
    const API_ElemTypeID type = GetItemValue (row);
    if (!IsLibPartCensusType (type))
        return;
    while (IsLibPartRow (static_cast<Int16> (row + 1)))
        DeleteItem (static_cast<Int16> (row + 1));
    SetTabItemIcon (row, 1, *collapsedIcon);
    expanded.Put (type, false);
}

void SizeList::GetActValue (Int16 row)
{
    const LibRow* part = RowOf (row);
    if (part == nullptr)
        return;
    if (part->detLev >= NoDetailParameter) {
        GrayItem (row);
        return;
    }
    SetTabItemText (row, DetailTab, DisplayedDetLev::Instance ().GetName (part->detLev));
}

void SizeList::ValidateDetailColumn ()
{
    const ::detLevValuesGuidIndex& live = Data::Instance ().detLevValuesGuidIndex;
    const Int32 count = GetItemCount ();
    for (Int32 i = 1; i <= count; ++i) {
        const Int16 row = static_cast<Int16> (i);
        if (!IsLibPartRow (row) || IsItemGrayed (row))
            continue;
        const LibRow* part = RowOf (row);
        if (part == nullptr)
            continue;
        const Int16* value = live.GetPtr (part->guid);
        if (value == nullptr)
            continue;
        SetTabItemText (row, DetailTab, DisplayedDetLev::Instance ().GetName (*value));
    }
}
