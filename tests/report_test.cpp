// The census report in the host's report window and the ranked lists left in the census: each
// case builds a census in code, writes the report and compares the window line by line with a
// text under tests/data/report.
#include "TestHost.h"

#include "census/RefreshData.h"
#include "host/ACAPI.h"

#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace {

std::vector<std::string> ExpectedLines (const std::string& file)
{
    const std::string path = TestSupport::SourceDir () + "/tests/data/report/" + file;
    std::ifstream in (path);
    EXPECT_TRUE (in.good ()) << "cannot open " << path;
    std::vector<std::string> lines;
    for (std::string line; std::getline (in, line);)
        lines.push_back (line);
    return lines;
}

// A census as the walk leaves it: the five library-part types present, possibly without rows.
void SeedLibPartTypes (RefreshData& census)
{
    for (API_ElemTypeID t : LibPartCensusTypes)
        census.gsmT.Add (t, GS::HashTable<Int32, LibRow> ());
}

void AddPart (RefreshData& census, API_ElemTypeID type, Int32 libInd, const char* name, Int32 count, Int64 polygons,
              const char* guid)
{
    census.gsmT.Get (type).Add (
        libInd, LibRow (name, count, polygons, 4, GuidStr (guid), FFFTT (false, false, false, true, true), 0));
}

void Count (RefreshData& census, API_ElemTypeID type, Int32 elements, Int64 polygons)
{
    census.elemsPerType[type] += elements;
    census.polysPerType[type] += polygons;
    census.totalPolygons += polygons;
}

std::vector<std::string> RankedNames (const RefreshData& census, API_ElemTypeID type)
{
    std::vector<std::string> names;
    if (const std::vector<LibRow>* list = census.sortedGsms.GetPtr (type))
        for (const LibRow& row : *list)
            names.push_back (row.name.ToStd ());
    return names;
}

using Names = std::vector<std::string>;

struct ReportCase {
    const char* expectedFile;
    std::function<void (RefreshData&)> build;
    // Ranked names per library-part type 4, 5, 6, 7, 33.
    Names ranked[5];
};

class ReportTest : public TestSupport::AddonTest {};

TEST_F (ReportTest, ReportLinesAndRankedListsMatchTheCensus)
{
    const ReportCase cases[] = {
        {"empty_census.txt", [] (RefreshData&) {}, {}},
        {"equal_polygons.txt",
         [] (RefreshData& c) {
             Count (c, 1, 3, 300);
             Count (c, 6, 3, 1400);
             AddPart (c, 6, 11, "Chair", 2, 700, "{0A1B2C3D-0000-0000-0000-00000000000A}");
             AddPart (c, 6, 12, "Desk", 1, 700, "{0A1B2C3D-0000-0000-0000-00000000000B}");
         },
         {{}, {}, {"Desk", "Chair"}, {}, {}}},
        {"same_part_twice.txt",
         [] (RefreshData& c) {
             Count (c, 5, 3, 900);
             AddPart (c, 5, 3, "Door 90", 2, 600, "{DOOR-90}");
             AddPart (c, 5, 9, "Door 90 second copy", 2, 600, "{DOOR-90}");
             AddPart (c, 5, 4, "Door 80", 1, 300, "{DOOR-80}");
         },
         {{}, {"Door 90", "Door 80"}, {}, {}, {}}},
        {"long_name_and_count.txt",
         [] (RefreshData& c) {
             Count (c, 1, 1234567890, 98765432101LL);
             Count (c, My_StairID, 2, 2400);
             AddPart (c, My_StairID, 2, "Spiral stair with landing and glass balustrade", 2, 2400, "{STAIR}");
         },
         {{}, {}, {}, {}, {"Spiral stair with landing and glass balustrade"}}},
        {"percent_in_name.txt",
         [] (RefreshData& c) {
             Count (c, 4, 1, 40);
             AddPart (c, 4, 5, "100% glass %s %n pane", 1, 40, "{WIN}");
         },
         {{"100% glass %s %n pane"}, {}, {}, {}, {}}},
    };

    for (const ReportCase& c : cases) {
        SCOPED_TRACE (c.expectedFile);
        host.report.clear ();
        RefreshData census;
        SeedLibPartTypes (census);
        c.build (census);

        census.WriteReportAndSort ();

        const std::vector<std::string> expected = ExpectedLines (c.expectedFile);
        ASSERT_EQ (host.report.size (), expected.size ());
        for (size_t i = 0; i < expected.size (); ++i)
            EXPECT_EQ (host.report[i], expected[i]) << "line " << i + 1;

        for (size_t k = 0; k < 5; ++k) {
            const API_ElemTypeID t = LibPartCensusTypes[k];
            EXPECT_TRUE (census.sortedGsms.ContainsKey (t)) << "every library-part type gets a list: " << t;
            EXPECT_EQ (RankedNames (census, t), c.ranked[k]) << "type " << t;
        }
        EXPECT_EQ (census.sortedGsms.GetSize (), 5u) << "only library-part types are ranked";
    }
}

TEST_F (ReportTest, RankedListKeepsEveryFieldOfTheFirstRowInserted)
{
    RefreshData census;
    SeedLibPartTypes (census);
    Count (census, 7, 5, 500);
    census.gsmT.Get (7).Add (
        21, LibRow ("Spot", 3, 250, 1, GuidStr ("{SPOT}"), FFFTT (true, true, false, true, true), LibRowAllHotlinked));
    census.gsmT.Get (7).Add (22, LibRow ("Spot again", 2, 250, 2, GuidStr ("{SPOT}"), FFFTT (), 0));
    census.gsmT.Get (7).Add (23, LibRow ("Flood", 0, 250, 5, GuidStr ("{SPOT}0"), FFFTT (), LibRowNoneInWorkspace));

    census.WriteReportAndSort ();

    const std::vector<LibRow>& list = census.sortedGsms.Get (7);
    ASSERT_EQ (list.size (), 2u);
    EXPECT_EQ (list[0].name.ToStd (), "Flood") << "longer GUID text with the same start ranks first";
    EXPECT_EQ (list[0].flags, LibRowNoneInWorkspace);
    EXPECT_EQ (list[0].detLev, 5);
    const LibRow& spot = list[1];
    EXPECT_EQ (spot.name.ToStd (), "Spot");
    EXPECT_EQ (spot.count, 3);
    EXPECT_EQ (spot.polygons, 250);
    EXPECT_EQ (spot.detLev, 1);
    EXPECT_STREQ (spot.guid.c_str (), "{SPOT}");
    EXPECT_EQ (spot.avail, FFFTT (true, true, false, true, true));
    EXPECT_EQ (spot.flags, LibRowAllHotlinked);
    EXPECT_EQ (census.gsmT.Get (7).GetSize (), 3u) << "the census keeps all its rows";
}

TEST_F (ReportTest, TextsComeFromTheAddonResourcesWhateverModuleWasActive)
{
    const GSResModule own = ACAPI_UseOwnResModule ();
    ACAPI_ResetResModule (0);

    RefreshData census;
    SeedLibPartTypes (census);
    census.WriteReportAndSort ();

    EXPECT_EQ (ACAPI_UseOwnResModule (), 0) << "the module active before the report is active again";
    ACAPI_ResetResModule (own);
    const std::vector<std::string> expected = ExpectedLines ("empty_census.txt");
    ASSERT_EQ (host.report.size (), expected.size ());
    EXPECT_EQ (host.report[1], expected[1]);
    EXPECT_EQ (host.report[2], expected[2]);
}

TEST_F (ReportTest, CensusWithoutRowTablesStillGetsEmptyRankedLists)
{
    RefreshData census;   // no library-part type present in gsmT at all
    census.WriteReportAndSort ();
    for (API_ElemTypeID t : LibPartCensusTypes) {
        ASSERT_TRUE (census.sortedGsms.ContainsKey (t)) << t;
        EXPECT_TRUE (census.sortedGsms.Get (t).empty ()) << t;
    }
    EXPECT_EQ (host.report, ExpectedLines ("empty_census.txt"));
}

TEST_F (ReportTest, ARepeatedReportReplacesTheRankedLists)
{
    RefreshData census;
    SeedLibPartTypes (census);
    AddPart (census, 6, 1, "Old", 1, 10, "{OLD}");
    census.WriteReportAndSort ();
    census.gsmT.Get (6).Clear ();
    AddPart (census, 6, 2, "New", 1, 20, "{NEW}");
    census.WriteReportAndSort ();
    EXPECT_EQ (RankedNames (census, 6), Names{"New"});
}

}   // namespace
