// Selecting the counted elements behind the chosen rows of the size list.
#include "SelectSelItems.h"
#include "SizeList.h"

#include "census/DatabaseChange.h"
#include "census/FloorCounter.h"
#include "census/Marquee.h"
#include "gs/IOLocation.h"
#include "host/ACAPI.h"
#include "store/Data.h"

#include <algorithm>
#include <cstring>
#include <set>

namespace {

constexpr API_DatabaseTypeID FloorPlanDatabase = 1;
constexpr Int32 ShownLayerFilter = 2;   // the census' element filter

// The rows chosen in the last run: root rows by census type, library-part rows by part index.
bool selTypes[CensusTypeCount] = {};
std::set<Int32> selLibInds;

// The host's index of the library part behind a part row; false when the host no longer has it.
bool FindLibPart (const LibRow& row, Int32* libInd)
{
    static API_LibPart libPart;
    std::memset (&libPart, 0, sizeof libPart);
    const USize length = std::min<USize> (row.guid.Length (), sizeof libPart.ownUnID - 1);
    std::memcpy (libPart.ownUnID, row.guid.c_str (), length);   // the record was cleared: terminated
    const GSErrCode err = ACAPI_LibPart_Search (&libPart, false);
    delete libPart.location;
    libPart.location = nullptr;
    if (err != NoError)
        return false;
    *libInd = libPart.index;
    return true;
}

}   // namespace

void DatabaseChange ()
{
    API_DatabaseInfo database;
    std::memset (&database, 0, sizeof database);
    ACAPI_Database (APIDb_GetCurrentDatabaseID, &database);
    database.typeID = FloorPlanDatabase;
    ACAPI_Database (APIDb_ChangeCurrentDatabaseID, &database);
}

bool IsBtwnSelListItems (const API_Element& element)
{
    const API_ElemTypeID type = element.header.typeID;
    if (type < 0 || type >= CensusTypeCount)
        return false;
    const bool stair = type == 6 && element.header.variationID == API_StairVariation;
    if (selTypes[type] && !stair)
        return true;
    if (stair && selTypes[My_StairID])
        return true;
    if (IsLibPartObject (type))
        return selLibInds.count (element.libInd) != 0;
    return false;
}

void SizeList::MySelect (bool useMarquee, bool allStories, Int32 fromStory, Int32 toStory)
{
    if (GetSelectedCount () == 0)
        return;
    DatabaseChange ();

    // Declared in this order so that the collector (which selects) goes before the candidates.
    const Marquee marquee (useMarquee, false);
    FloorCounter floors (allStories, fromStory, toStory, Data::Instance ().useMarquee && !marquee.MultiSt (), false);
    const GS::Array<Int16> selected = GetSelectedItems ();

    SelectSelItems collector;
    selLibInds.clear ();
    for (bool& chosen : selTypes)
        chosen = false;
    for (Int16 row : selected) {
        if (GetTabItemIcon (row, 1).GetResourceId () == -1) {
            const LibRow* part = RowOf (row);
            Int32 libInd = 0;
            if (part != nullptr && FindLibPart (*part, &libInd))
                selLibInds.insert (libInd);
        } else {
            const Int32 type = GetItemValue (row);
            if (type >= 0 && type < CensusTypeCount)
                selTypes[type] = true;
        }
    }

    collector.Init (static_cast<Int32> (marquee.candidates.size ()));
    static API_Element element;
    for (const Marquee::Candidate& candidate : marquee.candidates) {
        std::memset (&element, 0, sizeof element);
        element.header.typeID = candidate.first;
        element.header.index = candidate.second;
        if (!ACAPI_Element_Filter (candidate.first, candidate.second, ShownLayerFilter))
            continue;
        if (ACAPI_Element_Get (&element) != NoError)
            continue;
        if (floors.IsInEnabledFloor (element.header.floorInd) && IsBtwnSelListItems (element)) {
            floors.MultiFloor (element.header.floorInd);
            collector.Inc (element);
        }
    }
    collector.Add ();

    // The view changes first; the collector selects as it goes.
    floors.Change ();
}
