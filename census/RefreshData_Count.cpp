// The census record's rows and its report: LibRow's constructors, the ranked lists and the report
// window text.
#include "census/RefreshData.h"

#include "census/OGSString.h"
#include "census/RegionalSettings.h"
#include "host/ACAPI.h"
#include "host/ResourceModuleLock.h"
#include "shell/APICommon.h"

#include <functional>
#include <set>
#include <utility>
#include <vector>

// ---- Rows ------------------------------------------------------------------------------------

LibRow::LibRow () : name (), count (0), polygons (0), detLev (4), guid (), avail (), flags (0) {}

LibRow::LibRow (GS::String name, Int32 count, Int64 polygons, Int16 detLev, GuidStr guid, FFFTT avail, UInt32 flags)
    : name (std::move (name)), count (count), polygons (polygons), detLev (detLev), guid (guid), avail (avail),
      flags (flags)
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

    std::vector<LibRow> copies;
    copies.reserve (rows->GetSize ());
    for (const auto& pair : *rows) {
        LibRow row;
        row.name = pair.value.name;
        row.count = pair.value.count;
        row.polygons = pair.value.polygons;
        row.detLev = pair.value.detLev;
        row.guid = pair.value.guid;
        row.avail = pair.value.avail;
        row.flags = pair.value.flags;
        copies.push_back (row);
    }

    // Rows equal in ranking (same polygons, same GUID text) are one entry: the first one stays.
    std::set<LibRow, std::greater<LibRow>> ranked;
    for (const LibRow& row : copies)
        ranked.insert (row);

    std::vector<LibRow> list (ranked.begin (), ranked.end ());
    for (const LibRow& row : list) {
        report.Clear ();
        BuildCountLine (report, row.name, row.count, row.polygons);
        WriteLine (report);
    }
    sortedGsms.Put (censusType, list);
}
