#include "DatabaseChange.h"

#include "gs/MemoryHandle.h"
#include "host/ACAPI.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr API_DatabaseTypeID FloorPlanDatabase = 1;

}   // namespace

DatabaseChange::DatabaseChange ()
{
    std::memset (&kept, 0, sizeof kept);
    known = ACAPI_Database (APIDb_GetCurrentDatabaseID, &kept) == NoError;
    API_DatabaseInfo floorPlan = kept;
    floorPlan.typeID = FloorPlanDatabase;
    ACAPI_Database (APIDb_ChangeCurrentDatabaseID, &floorPlan);
}

DatabaseChange::~DatabaseChange ()
{
    if (known)
        ACAPI_Database (APIDb_ChangeCurrentDatabaseID, &kept);
}

void KillOldSelection ()
{
    API_SelectionInfo info;
    std::memset (&info, 0, sizeof info);
    API_Neig** neigs = nullptr;
    const GSErrCode err = ACAPI_Selection_Get (&info, &neigs, false);
    BMKillHandle (&info.marquee);
    GSHandle block = reinterpret_cast<GSHandle> (neigs);
    if ((err == NoError || err == APIERR_NOSEL) && info.typeID == 1 && block != nullptr) {
        // Hand back no more references than the block holds.
        const USize inBlock = BMGetHandleSize (block) / sizeof (API_Neig);
        const Int32 count = static_cast<Int32> (std::min<USize> (std::max<Int32> (info.sel_nElem, 0), inBlock));
        if (count > 0)
            ACAPI_Element_Select (neigs, count, false);
    }
    BMKillHandle (&block);
}
