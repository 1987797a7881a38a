// One census: polygons and element counts per census type (0 to 33, stairs under 33) and one
// LibRow per library part under each library-part census type (4, 5, 6, 7 and 33), with the
// detail-level bookkeeping of the parts met and the ranked lists that the report, the size list
// and the change dialog read.
//
// Ownership: a RefreshData owns all its rows and tables. RefreshData::current owns the live
// census; only PopulateTree replaces it (a completed census), the add-on's shell deletes it when a
// project closes or the add-on unloads. Readers find it null when no census has completed.
// Polygon sums are 64-bit (large models pass 2^31); element counts are 32-bit.
// Host main thread only; a census is not re-entrant.
#pragma once

#include "api/APIdefs.h"
#include "census/GuidStr.h"
#include "gs/GSString.h"
#include "gs/HashTable.h"
#include "shell/APICommon.h"

#include <vector>

// Five level-offered flags, one per detail-level value 0 to 4; levels 3 (keep) and 4 (default)
// are always offered. The name spells the usual value.
struct FFFTT {
    FFFTT () = default;
    FFFTT (bool l0, bool l1, bool l2, bool l3, bool l4) : level{l0, l1, l2, l3, l4} {}
    bool& operator[] (Int32 k) { return level[k]; }
    bool operator[] (Int32 k) const { return level[k]; }
    bool operator== (const FFFTT& other) const
    {
        for (int k = 0; k < 5; ++k)
            if (level[k] != other.level[k])
                return false;
        return true;
    }

    bool level[5] = {false, false, false, true, true};
};

// Row flags: bit 0 every placement counted so far comes from a hotlinked module; bit 1 no
// placement counted so far passes the host's element filter 16.
constexpr UInt32 LibRowAllHotlinked = 1;
constexpr UInt32 LibRowNoneInWorkspace = 2;

// One library part within one census type.
class LibRow {
public:
    LibRow ();   // empty name, counts 0, detLev 4, empty guid, avail FFFTT, flags 0
    LibRow (GS::String name, Int32 count, Int64 polygons, Int16 detLev, GuidStr guid, FFFTT avail, UInt32 flags);
    ~LibRow ();

    // Ranking order: polygons descending, then GUID text descending (byte order of OGSString).
    // Rows equal in both are one entry of a ranked list.
    bool operator> (const LibRow& other) const;

    // What a census reads and writes per placement comes first, in one cache line; the GUID text
    // (256 bytes) last.
    GS::String name;
    Int32 count;
    Int64 polygons;
    Int16 detLev;   // 0..2 a level, 3 keep, 4 project default, 5 no detail parameter
    UInt32 flags;
    FFFTT avail;
    GuidStr guid;
};

class RefreshData {
public:
    RefreshData ();
    ~RefreshData ();
    RefreshData (const RefreshData&) = delete;
    RefreshData& operator= (const RefreshData&) = delete;

    static RefreshData* current;

    // Runs a whole census into a new object and makes it current (census walk).
    static void PopulateTree ();

    // Empties the census and seeds the row tables and the stored detail levels.
    void InitGsmT ();
    // Counts one element into the census; answers its polygons.
    Int64 CountPolygons (API_Element& element);

    // Detail-level work on the first placement of a part, and on every placement.
    void SetDetLevNameAndValue (Int32 libInd, API_ElemTypeID censusType);
    void ChangeElemDetLev (API_ElemTypeID censusType, API_ElemTypeID elemType, Int32 elemIndex, Int32 libInd,
                           API_Element* element);
    // False when a row's level leaves its placements alone (ChangeElemDetLev returns at once).
    bool WantsChange (const LibRow& row) const;

    // Report window text and the ranked lists in sortedGsms.
    void WriteReportAndSort ();
    void SortGsms (API_ElemTypeID censusType);

    GS::HashTable<API_ElemTypeID, GS::HashTable<Int32, LibRow>> gsmT;
    GS::HashTable<API_ElemTypeID, GS::HashTable<Int32, Int32>> visitedGsms;
    Int16 defaultDetLev = 3;
    Int64 totalPolygons = 0;
    GS::HashTable<Int32, GS::String> detParName;
    GS::HashTable<Int32, Int16> storedDetLev;
    GS::HashTable<Int32, Int32> detParIndex;
    GS::HashTable<Int32, GS::String> wantedDetValue;
    // Parts whose level this census could not settle because the host failed to answer (their
    // stored level or their parameters could not be read, or the names file): the copy-back
    // leaves what the project stores for them alone.
    GS::HashTable<GuidStr, bool> levelUnknown;
    Int32 elemsPerType[CensusTypeCount] = {};
    Int64 polysPerType[CensusTypeCount] = {};
    GS::HashTable<API_ElemTypeID, std::vector<LibRow>> sortedGsms;
    // A refused placement change has been shown to the user in this census (shown once per census).
    bool changeRefusedShown = false;
};

// The library-part census types, in report order.
constexpr API_ElemTypeID LibPartCensusTypes[] = {4, 5, 6, 7, My_StairID};
// The census types the report and the size list show, in order.
constexpr API_ElemTypeID ReportedCensusTypes[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 17, My_StairID};
