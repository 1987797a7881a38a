// The census record's rows and its report: LibRow's constructors, the ranked lists and the report
// window text; then the census walk (InitGsmT, PopulateTree, CountPolygons).
#include "census/RefreshData.h"

#include "census/DatabaseChange.h"
#include "census/FloorCounter.h"
#include "census/Marquee.h"
#include "census/OGSString.h"
#include "census/ProgressBar.h"
#include "census/RegionalSettings.h"
#include "gs/IOLocation.h"
#include "host/ACAPI.h"
#include "host/ResourceModuleLock.h"
#include "shell/APICommon.h"
#include "store/Data.h"
#include "store/Dlg_ErrorMessage.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <iterator>
#include <set>
#include <utility>
#include <vector>

// ---- Rows ------------------------------------------------------------------------------------

LibRow::LibRow () : name (), count (0), polygons (0), detLev (4), flags (0), avail (), guid () {}

LibRow::LibRow (GS::String name, Int32 count, Int64 polygons, Int16 detLev, GuidStr guid, FFFTT avail, UInt32 flags)
    : name (std::move (name)), count (count), polygons (polygons), detLev (detLev), flags (flags), avail (avail),
      guid (guid)
{
}

// ---- Report and ranked lists -------------------------------------------------------------------
//
// Report window text, once per finished census (texts from string list 152):
//   <empty>
//   152/1 + total polygons
//   152/2 padded to 30, 152/3 padded to 50, 152/3
//   <empty>
//   one type line per reported type; under each library-part type its ranked part lines
//   <empty>
// A type line leads with four spaces and the kind name, a part line with the part's name alone.
// The count ends in column 40 and the polygons in column 60 unless something before overflows.

namespace {

constexpr Int16 ReportStrResID = 152;

// Appends spaces until the line ends `width` characters before column `column`; nothing when the
// line already reaches that far.
void PadBefore (OGSString& line, UInt32 column, UInt32 width)
{
    if (width < column)
        line.Pad (column - width, ' ');
}

void BuildCountLine (OGSString& line, const GS::String& lead, Int32 count, Int64 polygons)
{
    line = lead;
    line.Pad (30, ' ');
    line += " (";
    const GS::String countText = RegionalSettings ().CutInGr (count);
    PadBefore (line, 40, countText.GetLength ());
    line += countText;
    line += ")";
    line += " : ";
    const GS::String polygonText = RegionalSettings ().CutInGr (polygons);
    PadBefore (line, 60, polygonText.GetLength ());
    line += polygonText;
}

// The line goes as data, so a % in a name shows unchanged.
void WriteLine (const GS::String& line)
{
    WriteReport ("%s", line.ToCStr ());
}

GS::String ReportString (Int32 index)
{
    char buffer[256];
    buffer[0] = '\0';
    if (!ACAPI_Resource_GetLocStr (buffer, ReportStrResID, index))
        buffer[0] = '\0';
    return GS::String (buffer);
}

bool IsLibPartCensusType (API_ElemTypeID type)
{
    for (API_ElemTypeID t : LibPartCensusTypes)
        if (t == type)
            return true;
    return false;
}

}   // namespace

void RefreshData::WriteReportAndSort ()
{
    ResourceModuleLock ownResources;

    WriteLine ("");

    GS::String total = ReportString (1);
    total += RegionalSettings ().CutInGr (totalPolygons);
    WriteLine (total);

    const GS::String rule = ReportString (3);
    OGSString header (ReportString (2));
    header.Pad (30, ' ');
    header += rule;
    header.Pad (50, ' ');
    header += rule;
    WriteLine (header);

    WriteLine ("");

    OGSString line;
    for (API_ElemTypeID type : ReportedCensusTypes) {
        GS::String lead ("    ");
        lead += ElemID_To_Name (type);
        BuildCountLine (line, lead, elemsPerType[type], polysPerType[type]);
        WriteLine (line);
        if (IsLibPartCensusType (type))
            SortGsms (type);
    }

    WriteLine ("");
}

void RefreshData::SortGsms (API_ElemTypeID censusType)
{
    static OGSString report;

    const GS::HashTable<Int32, LibRow>* rows = gsmT.GetPtr (censusType);
    if (rows == nullptr || rows->IsEmpty ()) {
        sortedGsms.Put (censusType, std::vector<LibRow> ());
        return;
    }

    // One copy of the rows, ranked in place and then handed to sortedGsms: a large census has
    // thousands of rows, and each extra copy costs a few hundred bytes per row.
    sortedGsms.Put (censusType, std::vector<LibRow> ());
    std::vector<LibRow>& list = *sortedGsms.GetPtr (censusType);
    list.reserve (rows->GetSize ());
    for (const auto& pair : *rows)
        list.push_back (pair.value);

    // Rows equal in ranking (same polygons, same GUID text) are one entry: the first one stays.
    std::stable_sort (list.begin (), list.end (), std::greater<LibRow> ());
    list.erase (std::unique (list.begin (), list.end (),
                             [] (const LibRow& a, const LibRow& b) { return !(a > b) && !(b > a); }),
                list.end ());
    for (const LibRow& row : list) {
        report.Clear ();
        BuildCountLine (report, row.name, row.count, row.polygons);
        WriteLine (report);
    }
}

// ---- Census walk ------------------------------------------------------------------------------
//
// PopulateTree visits the scope's candidates (Marquee, FloorCounter) on the floor plan
// (DatabaseChange) under the progress window (ProgressBar, also the census's one undo step) and
// counts each accepted element with CountPolygons; the first placement of a library part under a
// census type makes its row and fixes its detail level, and every placement is brought in line
// with it. A completed census replaces the previous one; a cancelled one, or one left by an
// exception, is deleted and the previous census stays current, untouched.

namespace {

constexpr Int16 ProgressStrResID = 140;
constexpr Int16 MsgLibPartUnreadable = 134;
constexpr Int32 ShownLayerFilter = 2;
constexpr Int32 OwnWorkspaceFilter = 16;

// Copies a host text field, cut at its last byte when the host left no terminator.
template <size_t N> GS::String TextOf (char (&field)[N])
{
    field[N - 1] = '\0';
    return GS::String (field);
}

}   // namespace

void RefreshData::InitGsmT ()
{
    static API_LibPart libPart;

    std::fill (std::begin (elemsPerType), std::end (elemsPerType), 0);
    std::fill (std::begin (polysPerType), std::end (polysPerType), 0);
    sortedGsms.Clear ();
    gsmT.Clear ();
    visitedGsms.Clear ();
    for (API_ElemTypeID type : LibPartCensusTypes) {
        gsmT.Add (type, GS::HashTable<Int32, LibRow> ());
        visitedGsms.Add (type, GS::HashTable<Int32, Int32> ());
    }
    wantedDetValue.Clear ();
    detParName.Clear ();
    detParIndex.Clear ();
    storedDetLev.Clear ();
    levelUnknown.Clear ();

    for (const auto& pair : Data::Instance ().detLevValuesGuidIndex) {
        std::memset (&libPart, 0, sizeof libPart);
        std::strncpy (libPart.ownUnID, pair.key.c_str (), sizeof libPart.ownUnID - 1);
        const GSErrCode err = ACAPI_LibPart_Search (&libPart, false);
        delete libPart.location;   // ours whenever the host hands one out
        libPart.location = nullptr;
        if (err == NoError)
            storedDetLev.Add (libPart.index, pair.value);
        else if (err != APIERR_NOTFOUND)   // not "no such part": the stored level is unknown
            levelUnknown.Put (pair.key, true);
    }
}

void RefreshData::PopulateTree ()
{
    static API_Element elem;
    static char own_res_str[256];

    // Until the census completes, leaving this function (cancel or exception) puts the previous
    // census back and deletes the new one.
    struct NewCensus {
        RefreshData* previous = RefreshData::current;
        RefreshData* census = new RefreshData;
        bool completed = false;
        ~NewCensus ()
        {
            if (!completed) {
                RefreshData::current = previous;
                delete census;
            }
        }
    } newCensus;
    RefreshData& census = *newCensus.census;
    current = &census;
    census.InitGsmT ();

    DatabaseChange floorPlan;
    const Data& settings = Data::Instance ();
    Marquee marquee (settings.useMarquee, false);
    const FloorCounter floors (settings.allStories, settings.fromStory, settings.toStory,
                               settings.useMarquee && !marquee.MultiSt (), false);
    census.defaultDetLev = settings.defaultDetLev;
    census.totalPolygons = 0;

    own_res_str[0] = '\0';
    {
        ResourceModuleLock ownResources;
        if (!ACAPI_Resource_GetLocStr (own_res_str, ProgressStrResID, 2))
            own_res_str[0] = '\0';
    }
    {
        ProgressBar progress (own_res_str);
        progress.NextProcessPhase (static_cast<Int32> (marquee.candidates.size ()));
        for (const Marquee::Candidate& candidate : marquee.candidates) {
            if (!progress.IncBarValue ())
                return;   // cancelled: the previous census stays
            std::memset (&elem, 0, sizeof elem);
            elem.header.typeID = candidate.first;
            elem.header.index = candidate.second;
            if (!ACAPI_Element_Filter (candidate.first, candidate.second, ShownLayerFilter))
                continue;
            if (ACAPI_Element_Get (&elem) != NoError)
                continue;
            if (!floors.IsInEnabledFloor (elem.header.floorInd))
                continue;
            census.totalPolygons += census.CountPolygons (elem);
        }
    }
    census.WriteReportAndSort ();
    newCensus.completed = true;
    delete newCensus.previous;
}

Int64 RefreshData::CountPolygons (API_Element& element)
{
    static API_ElemInfo3D elemInfo3D;
    static API_Component3D comp3D;
    static Int32 libInd;
    static bool error5DoNotShow = false;
    static API_LibPart libPart;

    comp3D.typeID = API_BodyComponentKind;
    const API_ElemTypeID elemType = element.header.typeID;
    const Int32 elemIndex = element.header.index;
    // A kind without an entry in the per-type arrays is not counted anywhere.
    if (elemType < 0 || elemType >= CensusTypeCount)
        return 0;
    API_ElemTypeID censusType = elemType;

    LibRow* row = nullptr;   // the placement's row; no row is added after it is found, so it stays put
    const bool placement = IsLibPartObject (elemType);
    if (placement) {
        if (elemType == 6 && element.header.variationID == API_StairVariation)
            censusType = My_StairID;
        libInd = GetLibInd (&element);
        // Every placement passes here. A part with a row has been visited (its row is made right
        // after its visit is noted), so only a part without a row is looked up in visitedGsms; Add
        // answers whether it is new. The row found once serves the level, the flags and the counts.
        GS::HashTable<Int32, LibRow>* rows = gsmT.GetPtr (censusType);
        row = rows != nullptr ? rows->GetPtr (libInd) : nullptr;
        GS::HashTable<Int32, Int32>* visited = row == nullptr ? visitedGsms.GetPtr (censusType) : nullptr;
        if (visited != nullptr && visited->Add (libInd, 0)) {
            std::memset (&libPart, 0, sizeof libPart);
            libPart.index = libInd;
            const GSErrCode err = ACAPI_LibPart_Get (&libPart);
            delete libPart.location;
            libPart.location = nullptr;
            if (err != NoError) {
                if (!error5DoNotShow) {
                    ResourceModuleLock ownResources;
                    error5DoNotShow = Dlg_ErrorMessage (MsgLibPartUnreadable, true).Invoke ();
                }
            } else {
                LibRow newRow (TextOf (libPart.docu_UName), 0, 0, DetLevNone,
                               GuidStr (TextOf (libPart.ownUnID).ToCStr ()), FFFTT (false, false, false, true, true),
                               LibRowAllHotlinked | LibRowNoneInWorkspace);
                gsmT.GetPtr (censusType)->Add (libInd, newRow);
                SetDetLevNameAndValue (libInd, censusType);
                row = rows != nullptr ? rows->GetPtr (libInd) : nullptr;
            }
        }
        if (row != nullptr) {
            if (WantsChange (*row))
                ChangeElemDetLev (censusType, elemType, elemIndex, libInd, &element);
            if ((row->flags & LibRowAllHotlinked) != 0 && !IsFromHotlinkModule (&element))
                row->flags &= ~LibRowAllHotlinked;
            if ((row->flags & LibRowNoneInWorkspace) != 0 &&
                ACAPI_Element_Filter (elemType, elemIndex, OwnWorkspaceFilter))
                row->flags &= ~LibRowNoneInWorkspace;
        }
    }

    Int64 sum = 0;
    if (ACAPI_Element_Get3DInfo (elemType, elemIndex, &elemInfo3D) == NoError) {
        // A 64-bit counter: a last body at the top of the range must not wrap around.
        for (Int64 body = elemInfo3D.fbody; body <= elemInfo3D.lbody; ++body) {
            comp3D.typeID = API_BodyComponentKind;
            comp3D.index = static_cast<Int32> (body);
            if (ACAPI_3D_GetComponent (&comp3D) == NoError)
                sum += comp3D.nPgon;
        }
    }
    polysPerType[censusType] += sum;
    elemsPerType[censusType] += 1;

    if (row != nullptr) {
        row->count += 1;
        row->polygons += sum;
    }
    return sum;
}
