// Whole censuses over whole projects: the sample building's report line by line, a lowered detail
// level counted again and kept in the saved project file, a cancelled census whose placement
// changes stay as one undo step, and polygon totals past the 32-bit range.
#include "TestHost.h"

#include "census/RefreshData.h"
#include "dg/RecordingAgent.h"
#include "gs/Stopwatch.h"
#include "hostsim/ProjectFile.h"
#include "store/Data.h"
#include "store/DetParNames.h"
#include "store/ModuleData.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <numeric>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// The sample's library parts (examples/README.md).
constexpr Int32 CasementWindow = 4;
constexpr Int32 SingleDoor = 5;
constexpr Int32 FigTree = 9;
constexpr Int32 ConferenceTable = 2;
constexpr Int32 OfficeChair = 1;
constexpr Int32 StraightStair = 8;

std::vector<std::string> ExpectedLines (const std::string& name)
{
    std::ifstream in (TestSupport::SourceDir () + "/tests/data/sample/" + name);
    std::vector<std::string> lines;
    for (std::string line; std::getline (in, line);)
        lines.push_back (line);
    return lines;
}

// Every clock reading is a second later, so each advance of the progress bar polls for a cancel.
double clockNow = 0.0;
double SteppingClock ()
{
    return clockNow += 1.0;
}

class SampleCensusTest : public TestSupport::AddonTest {
public:
    void SetUp () override
    {
        AddonTest::SetUp ();
        std::string error;
        ASSERT_TRUE (HostSim::LoadProject (SamplePath (), &host.project, &error)) << error;
        // The names file that ships with the add-on lies next to it.
        client->modulePath = TestSupport::SourceDir () + "/resources/Tessera.apx";
        PopulateDetParams ();
        OpenedNewProject ();
        Data& settings = Data::Instance ();
        settings.useMarquee = false;
        settings.allStories = true;
        settings.fromStory = 0;
        settings.toStory = 0;
    }

    void TearDown () override
    {
        OpenedNewProject ();
        detParNames.clear ();
        GS::SetClockSource (nullptr);
        if (!savedPath.empty ())
            std::remove (savedPath.c_str ());
        AddonTest::TearDown ();
    }

    static std::string SamplePath () { return TestSupport::SourceDir () + "/examples/sample-building.json"; }

    // What the shell does around a project change: no census, the stored levels read afresh.
    static void OpenedNewProject ()
    {
        delete RefreshData::current;
        RefreshData::current = nullptr;
        ModuleData::Instance ().ClearReadFlag ();
    }

    static RefreshData& Census ()
    {
        EXPECT_NE (RefreshData::current, nullptr);
        return *RefreshData::current;
    }
    static const LibRow& Row (API_ElemTypeID censusType, Int32 libInd)
    {
        static const LibRow none;
        const auto* rows = Census ().gsmT.GetPtr (censusType);
        const LibRow* row = rows != nullptr ? rows->GetPtr (libInd) : nullptr;
        EXPECT_NE (row, nullptr) << "no row for part " << libInd << " under type " << censusType;
        return row != nullptr ? *row : none;
    }
    static std::string GuidOf (const HostSim::Project& project, Int32 libInd)
    {
        return project.libParts.at (static_cast<size_t> (libInd - 1)).guid;
    }
    // A placement's own value of a text parameter; empty when it follows its part's default.
    static std::string Value (const HostSim::Project& project, API_ElemTypeID type, Int32 index,
                              const std::string& param)
    {
        const HostSim::Element* element = project.FindElement (type, index);
        EXPECT_NE (element, nullptr) << type << "/" << index;
        if (element == nullptr)
            return "<missing>";
        auto it = element->paramValues.find (param);
        return it != element->paramValues.end () ? it->second : std::string ();
    }
    // The progress poll at which the walk reaches (type, index): candidates go by type, then index.
    Int32 PollAt (API_ElemTypeID type, Int32 index) const
    {
        Int32 before = 0;
        for (const auto& [kind, slots] : host.project.elements)
            if (kind < type && ((kind >= 1 && kind <= 10) || kind == 17))
                before += static_cast<Int32> (slots.size ());
        return before + index;
    }

    std::string TempPath ()
    {
        char pattern[] = "/tmp/tessera-sample-XXXXXX";
        const int fd = mkstemp (pattern);
        EXPECT_GE (fd, 0);
        close (fd);
        savedPath = pattern;
        return savedPath;
    }

    DG::RecordingAgent dialogs;
    DG::ScopedUserAgent agent{dialogs};
    std::string savedPath;
};

TEST_F (SampleCensusTest, TheSampleBuildingGivesTheExpectedReport)
{
    RefreshData::PopulateTree ();
    const std::vector<std::string> expected = ExpectedLines ("report.txt");
    ASSERT_FALSE (expected.empty ());
    ASSERT_EQ (host.report.size (), expected.size ());
    for (size_t i = 0; i < expected.size (); ++i)
        EXPECT_EQ (host.report[i], expected[i]) << "report line " << i + 1;

    RefreshData& census = Census ();
    EXPECT_EQ (census.totalPolygons,
               std::accumulate (std::begin (census.polysPerType), std::end (census.polysPerType), Int64 (0)));
    EXPECT_TRUE (dialogs.Shown ().empty ()) << "the sample and the shipped names file raise no message";
    EXPECT_EQ (Value (host.project, 6, 6, "LevelOfDetail"), "Detailed") << "stored level 0 of the table";
    EXPECT_EQ (Row (6, ConferenceTable).detLev, 0);
    EXPECT_EQ (Row (6, OfficeChair).flags, 0u) << "one chair in the hotlinked module, the others not";
    EXPECT_EQ (Row (33, 8).detLev, 3) << "a part in the names file without a stored level is kept";
    EXPECT_EQ (Row (7, 6).detLev, 5) << "no detail parameter";
}

TEST_F (SampleCensusTest, ALowerLevelCountsFewerPolygonsAndIsKeptInTheSavedProject)
{
    RefreshData::PopulateTree ();
    const Int64 treeBefore = Row (6, FigTree).polygons;
    const Int64 totalBefore = Census ().totalPolygons;
    const Int64 chairBefore = Row (6, OfficeChair).polygons;
    const Int64 stairsBefore = Row (My_StairID, StraightStair).polygons;
    ASSERT_EQ (Census ().sortedGsms.Get (6).front ().name, GS::String ("Fig Tree"));

    // The trees, and the stairs: placements of kind 6 counted under the stair type.
    for (Int32 part : {FigTree, StraightStair})
        Data::Instance ().detLevValuesGuidIndex.Put (GuidStr (GuidOf (host.project, part).c_str ()), 2);
    RefreshData::PopulateTree ();
    const LibRow& tree = Row (6, FigTree);
    EXPECT_EQ (tree.detLev, 2);
    EXPECT_EQ (tree.count, 3);
    EXPECT_EQ (tree.polygons, 3 * 24) << "three trees at Box";
    EXPECT_LT (tree.polygons, treeBefore);
    EXPECT_EQ (Row (My_StairID, StraightStair).polygons, 2 * 20) << "two stairs at Block";
    EXPECT_EQ (Census ().polysPerType[My_StairID], 2 * 20);
    EXPECT_EQ (Census ().totalPolygons, totalBefore - treeBefore - stairsBefore + 3 * 24 + 2 * 20);
    EXPECT_EQ (Row (6, OfficeChair).polygons, chairBefore) << "other parts are left alone";
    EXPECT_EQ (Census ().sortedGsms.Get (6).front ().name, GS::String ("Office Chair")) << "the ranking follows";

    ASSERT_EQ (Data::Instance ().WriteToModule (), NoError);
    std::string error;
    const std::string path = TempPath ();
    ASSERT_TRUE (HostSim::SaveProject (host.project, path, &error)) << error;

    HostSim::Project saved;
    ASSERT_TRUE (HostSim::LoadProject (path, &saved, &error)) << error;
    struct Case {
        API_ElemTypeID type;
        Int32 index;
        const char* param;
        const char* before;
        const char* after;
    };
    const Case cases[] = {
        {6, 8, "Detail3D", "", "Box"},           // Full, the part's default
        {6, 9, "Detail3D", "", "Box"},           // Full
        {6, 10, "Detail3D", "Box", "Box"},       // already there
        {6, 12, "LevelOfDetail", "", "Block"},   // the stairs
        {6, 13, "LevelOfDetail", "", "Block"},
        {6, 6, "LevelOfDetail", "", "Detailed"},       // the table at stored level 0
        {6, 2, "LevelOfDetail", "Simple", "Simple"},   // a chair: keep
        {4, 3, "ModelDetail", "Coarse", "Coarse"},     // a window: keep
        {5, 1, "LevelOfDetail", "Block", "Block"},     // a door: keep
    };
    HostSim::Project original;
    ASSERT_TRUE (HostSim::LoadProject (SamplePath (), &original, &error)) << error;
    for (const Case& c : cases) {
        EXPECT_EQ (Value (original, c.type, c.index, c.param), c.before) << c.type << "/" << c.index;
        EXPECT_EQ (Value (saved, c.type, c.index, c.param), c.after) << c.type << "/" << c.index;
    }

    // The reopened project stores the lowered level and counts the same as before it was saved.
    const Int64 totalSaved = Census ().totalPolygons;
    host.project = saved;
    host.report.clear ();
    OpenedNewProject ();
    ModuleData& stored = ModuleData::Instance ();
    const Int16* treeLevel =
        stored.GetDetLevValuesGuidIndexFromFile ().GetPtr (GuidStr (GuidOf (saved, FigTree).c_str ()));
    ASSERT_NE (treeLevel, nullptr);
    EXPECT_EQ (*treeLevel, 2);
    const Int16* tableLevel =
        stored.GetDetLevValuesGuidIndexFromFile ().GetPtr (GuidStr (GuidOf (saved, ConferenceTable).c_str ()));
    ASSERT_NE (tableLevel, nullptr);
    EXPECT_EQ (*tableLevel, 0);
    EXPECT_EQ (stored.GetDefaultDetLevValueFromFile (), 3);
    const size_t undoSteps = host.undoStack.size ();
    RefreshData::PopulateTree ();
    EXPECT_EQ (Census ().totalPolygons, totalSaved);
    EXPECT_EQ (host.undoStack.size (), undoSteps) << "nothing left to rewrite";
}

TEST_F (SampleCensusTest, ACancelledCensusKeepsItsChangesAsOneUndoStep)
{
    RefreshData::PopulateTree ();
    RefreshData* previous = RefreshData::current;
    const Int64 previousTotal = previous->totalPolygons;
    const size_t previousReport = host.report.size ();
    const size_t undoSteps = host.undoStack.size ();
    ASSERT_EQ (Value (host.project, 6, 6, "LevelOfDetail"), "Detailed");

    for (Int32 part : {CasementWindow, SingleDoor, FigTree})
        Data::Instance ().detLevValuesGuidIndex.Put (GuidStr (GuidOf (host.project, part).c_str ()), 2);
    GS::SetClockSource (&SteppingClock);
    host.progress.cancelAtPoll = PollAt (6, 9);   // after the first tree, before the second
    RefreshData::PopulateTree ();

    EXPECT_EQ (RefreshData::current, previous);
    EXPECT_EQ (previous->totalPolygons, previousTotal);
    EXPECT_EQ (previous->gsmT.Get (6).Get (FigTree).detLev, 3) << "the previous census is untouched";
    EXPECT_EQ (host.report.size (), previousReport);
    EXPECT_FALSE (host.progress.open);
    EXPECT_EQ (host.undoDepth, 0);

    struct Case {
        API_ElemTypeID type;
        Int32 index;
        const char* param;
        const char* cancelled;   // after the cancelled census
        const char* undone;      // after one undo
    };
    const Case cases[] = {
        {4, 1, "ModelDetail", "Coarse", ""},
        {4, 2, "ModelDetail", "Coarse", ""},
        {4, 3, "ModelDetail", "Coarse", "Coarse"},
        {4, 4, "ModelDetail", "Coarse", ""},
        {5, 1, "LevelOfDetail", "Block", "Block"},
        {5, 2, "LevelOfDetail", "Block", ""},
        {5, 3, "LevelOfDetail", "Block", "Simple"},
        {6, 8, "Detail3D", "Box", ""},
        {6, 9, "Detail3D", "", ""},                        // not reached
        {6, 6, "LevelOfDetail", "Detailed", "Detailed"},   // the first census's change
    };
    for (const Case& c : cases)
        EXPECT_EQ (Value (host.project, c.type, c.index, c.param), c.cancelled) << c.type << "/" << c.index;

    ASSERT_EQ (host.undoStack.size (), undoSteps + 1);
    ASSERT_TRUE (host.Undo ());
    for (const Case& c : cases)
        EXPECT_EQ (Value (host.project, c.type, c.index, c.param), c.undone) << c.type << "/" << c.index;
    EXPECT_EQ (host.undoStack.size (), undoSteps);
}

// A project made in code: a few thousand placements whose bodies pass 2^31 polygons each.
class LargeCensusTest : public TestSupport::AddonTest {
public:
    void SetUp () override
    {
        AddonTest::SetUp ();
        delete RefreshData::current;
        RefreshData::current = nullptr;
        ModuleData::Instance ().ClearReadFlag ();
        Data& settings = Data::Instance ();
        settings.useMarquee = false;
        settings.allStories = true;
        settings.detLevValuesGuidIndex.Clear ();
        detParNames.clear ();
    }
    void TearDown () override
    {
        delete RefreshData::current;
        RefreshData::current = nullptr;
        ModuleData::Instance ().ClearReadFlag ();
        AddonTest::TearDown ();
    }
};

TEST_F (LargeCensusTest, PolygonTotalsPastTwoToThe31AreCountedAndReportedInFull)
{
    HostSim::LibPart tree;
    tree.guid = "{TREE}";
    tree.name = "Tree";
    tree.bodies = {2000000000, 1000000000};   // 3e9 per placement: past 2^31 within one element
    const Int32 treeInd = host.project.AddLibPart (tree).index;
    constexpr Int32 Trees = 3000;
    for (Int32 i = 0; i < Trees; ++i) {
        HostSim::Element element;
        element.type = 6;
        element.libInd = treeInd;
        host.project.AddElement (element);
    }
    HostSim::Element wall;
    wall.type = 1;
    wall.bodies = {2147483647, 2147483647};
    host.project.AddElement (wall);

    RefreshData::PopulateTree ();
    ASSERT_NE (RefreshData::current, nullptr);
    RefreshData& census = *RefreshData::current;
    const Int64 trees = Int64 (Trees) * 3000000000;
    EXPECT_EQ (census.polysPerType[6], trees);
    EXPECT_EQ (census.elemsPerType[6], Trees);
    EXPECT_EQ (census.polysPerType[1], Int64 (4294967294));
    EXPECT_EQ (census.totalPolygons, trees + 4294967294);
    const LibRow* row = census.gsmT.Get (6).GetPtr (treeInd);
    ASSERT_NE (row, nullptr);
    EXPECT_EQ (row->polygons, trees);
    EXPECT_EQ (row->count, Trees);

    auto has = [this] (const std::string& line) {
        return std::find (host.report.begin (), host.report.end (), line) != host.report.end ();
    };
    EXPECT_TRUE (has ("Total polygons: 9,004,294,967,294"));
    EXPECT_TRUE (has ("    Wall                       (       1) :    4,294,967,294"));
    EXPECT_TRUE (has ("    Object                     (   3,000) : 9,000,000,000,000"));
    EXPECT_TRUE (has ("Tree                           (   3,000) : 9,000,000,000,000"));
}

}   // namespace
