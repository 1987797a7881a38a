// The census walk: which elements are counted and under which census type, library-part rows and
// their flags, detail levels that change the counted polygons, a cancelled census, a library part
// the host cannot fetch, and the database the user had.
#include "TestHost.h"

#include "census/RefreshData.h"
#include "dg/RecordingAgent.h"
#include "gs/Stopwatch.h"
#include "host/ACAPI.h"
#include "store/Data.h"
#include "store/DetParNames.h"

#include <numeric>
#include <string>

namespace {

constexpr Int32 Chair = 1;   // library part: "lod" Fine 2 bodies (60 + 40), Coarse 1 body (10)
constexpr Int32 Lamp = 2;    // library part with fixed bodies (5 + 5)

// Every clock reading is a second later, so the progress window asks about a cancel each time.
double clockNow = 0.0;
double SteppingClock ()
{
    return clockNow += 1.0;
}

class CensusWalkTest : public TestSupport::AddonTest {
public:
    void SetUp () override
    {
        AddonTest::SetUp ();
        GS::SetClockSource (&SteppingClock);
        for (Int16 i = 0; i <= 3; ++i)
            host.project.stories.push_back ({i, "", 3.0 * i});
        host.project.currentDatabase = {7, 3};

        HostSim::LibPart chair;
        chair.guid = "{CHAIR}";
        chair.name = "Chair";
        HostSim::ParamDef lod;
        lod.name = "lod";
        lod.text = "Fine";
        lod.valueList = {"Fine", "Medium", "Coarse"};
        chair.params = {lod};
        chair.detailParam = "lod";
        chair.bodiesByValue = {{"Fine", {60, 40}}, {"Medium", {30}}, {"Coarse", {10}}};
        host.project.AddLibPart (chair);
        HostSim::LibPart lamp;
        lamp.guid = "{LAMP}";
        lamp.name = "Lamp";
        lamp.bodies = {5, 5};
        host.project.AddLibPart (lamp);

        Data& settings = Data::Instance ();
        settings.useMarquee = false;
        settings.allStories = true;
        settings.fromStory = 0;
        settings.toStory = 0;
        settings.defaultDetLev = 3;
        settings.detLevValuesGuidIndex.Clear ();
        detParNames.clear ();
    }

    void TearDown () override
    {
        delete RefreshData::current;
        RefreshData::current = nullptr;
        detParNames.clear ();
        GS::SetClockSource (nullptr);
        AddonTest::TearDown ();
    }

    HostSim::Element& Add (API_ElemTypeID type, std::vector<Int32> bodies, Int16 story = 0)
    {
        HostSim::Element element;
        element.type = type;
        element.story = story;
        element.bodies = std::move (bodies);
        return host.project.AddElement (element);
    }

    HostSim::Element& Place (API_ElemTypeID type, Int32 libInd, bool stair = false)
    {
        HostSim::Element& element = Add (type, {});
        element.libInd = libInd;
        element.variation = stair ? API_StairVariation : 0;
        return element;
    }

    static RefreshData& Census ()
    {
        EXPECT_NE (RefreshData::current, nullptr);
        return *RefreshData::current;
    }
    static const LibRow* Row (API_ElemTypeID censusType, Int32 libInd)
    {
        const auto* rows = Census ().gsmT.GetPtr (censusType);
        return rows != nullptr ? rows->GetPtr (libInd) : nullptr;
    }
    Int32 MessagesShown (Int16 msgId) const
    {
        const std::string first = TestSupport::AddonString (msgId, 1);
        Int32 n = 0;
        for (const DG::ShownDialog& dialog : messages.Shown ())
            n += dialog.resourceId == 128 && dialog.ItemText (3) == first ? 1 : 0;
        return n;
    }

    DG::RecordingAgent messages;
    DG::ScopedUserAgent agent{messages};
};

TEST_F (CensusWalkTest, ElementsAreCountedUnderTheirCensusTypeAndPartsShareARow)
{
    Add (1, {12, 8});                   // wall: 20
    Add (1, {}).has3D = false;          // no 3D model: counted with 0
    Add (1, {99}).shownLayer = false;   // hidden: not visited
    Add (11, {4});                      // not a counted type in the whole model
    Place (5, Chair);                   // 100
    Place (5, Chair);                   // 100
    Place (5, Lamp);                    // 10
    Place (6, Chair, true);             // a stair: 100 under 33 only
    Place (6, Chair);                   // the same part as an object: its own row under 6

    RefreshData::PopulateTree ();
    RefreshData& census = Census ();
    EXPECT_EQ (census.elemsPerType[1], 2);
    EXPECT_EQ (census.polysPerType[1], 20);
    EXPECT_EQ (census.elemsPerType[11], 0);
    EXPECT_EQ (census.elemsPerType[5], 3);
    EXPECT_EQ (census.polysPerType[5], 210);
    EXPECT_EQ (census.elemsPerType[6], 1);
    EXPECT_EQ (census.polysPerType[6], 100);
    EXPECT_EQ (census.elemsPerType[33], 1);
    EXPECT_EQ (census.polysPerType[33], 100);
    EXPECT_EQ (census.totalPolygons, 430);
    EXPECT_EQ (census.totalPolygons,
               std::accumulate (std::begin (census.polysPerType), std::end (census.polysPerType), Int64 (0)));

    ASSERT_NE (Row (5, Chair), nullptr);
    EXPECT_EQ (Row (5, Chair)->count, 2);
    EXPECT_EQ (Row (5, Chair)->polygons, 200);
    EXPECT_STREQ (Row (5, Chair)->guid.c_str (), "{CHAIR}");
    EXPECT_EQ (Row (5, Chair)->name, GS::String ("Chair"));
    EXPECT_EQ (Row (5, Lamp)->polygons, 10);
    ASSERT_NE (Row (33, Chair), nullptr);
    EXPECT_EQ (Row (33, Chair)->count, 1);
    ASSERT_NE (Row (6, Chair), nullptr);
    EXPECT_EQ (Row (6, Chair)->count, 1);
    EXPECT_EQ (host.failures.Calls ("ACAPI_LibPart_Get"), 4) << "once per part and census type";

    EXPECT_FALSE (host.report.empty ());
    EXPECT_EQ (census.sortedGsms.Get (5).size (), 2u);
    EXPECT_EQ (host.project.currentDatabase.typeID, 7) << "the user's database is current again";
    EXPECT_EQ (host.project.currentDatabase.index, 3);
    EXPECT_FALSE (host.progress.open);
}

TEST_F (CensusWalkTest, AChosenDetailLevelRewritesPlacementsBeforeTheyAreCounted)
{
    detParNames.emplace (OGSString ("lod"), GS::Array<GS::String> ());
    auto& texts = detParNames.begin ()->second;
    for (const char* text : {"Fine", "Medium", "Coarse"})
        texts.Push (GS::String (text));
    Place (5, Chair);
    Place (5, Chair).paramValues["lod"] = "Medium";
    Data::Instance ().detLevValuesGuidIndex.Add (GuidStr ("{CHAIR}"), 2);

    RefreshData::PopulateTree ();
    ASSERT_NE (Row (5, Chair), nullptr);
    EXPECT_EQ (Row (5, Chair)->detLev, 2);
    EXPECT_EQ (Row (5, Chair)->polygons, 20) << "both placements counted as Coarse";
    EXPECT_EQ (host.project.FindElement (5, 1)->paramValues["lod"], "Coarse");
    EXPECT_EQ (host.project.FindElement (5, 2)->paramValues["lod"], "Coarse");

    Data::Instance ().detLevValuesGuidIndex.Put (GuidStr ("{CHAIR}"), 0);
    RefreshData::PopulateTree ();
    EXPECT_EQ (Row (5, Chair)->polygons, 200) << "back to Fine at the next census";
}

TEST_F (CensusWalkTest, TheStoryScopeAndASingleStoryMarqueeLimitTheCount)
{
    Add (1, {1}, 0);
    Add (1, {10}, 1);
    Add (1, {100}, 2);
    Data& settings = Data::Instance ();
    settings.allStories = false;
    settings.fromStory = 1;
    settings.toStory = 2;
    RefreshData::PopulateTree ();
    EXPECT_EQ (Census ().totalPolygons, 110);

    host.project.selection = {2, false, {{1, 1}, {1, 2}, {1, 3}}, {}};
    host.project.currentStory = 0;
    settings.useMarquee = true;
    RefreshData::PopulateTree ();
    EXPECT_EQ (Census ().totalPolygons, 1) << "a marquee for one story: only the current story";

    host.project.selection.multiStory = true;
    RefreshData::PopulateTree ();
    EXPECT_EQ (Census ().totalPolygons, 110) << "a marquee for all stories: the story range";
}

TEST_F (CensusWalkTest, RowFlagsHoldOnlyWhileEveryPlacementMeetsThem)
{
    Place (5, Chair).ownWorkspace = false;
    Place (5, Lamp).ownWorkspace = false;
    Place (5, Lamp);
    RefreshData::PopulateTree ();
    EXPECT_EQ (Row (5, Chair)->flags, LibRowNoneInWorkspace) << "outside the workspace, not hotlinked";
    EXPECT_EQ (Row (5, Lamp)->flags, 0u) << "one placement in the workspace clears the bit";
}

TEST_F (CensusWalkTest, ACancelledCensusLeavesThePreviousOneCurrentAndUntouched)
{
    Add (1, {5});
    Add (1, {5});
    host.progress.cancelAtPoll = 1;
    RefreshData::PopulateTree ();
    EXPECT_EQ (RefreshData::current, nullptr) << "no census before, none after";
    EXPECT_EQ (host.project.currentDatabase.typeID, 7);

    RefreshData::PopulateTree ();
    RefreshData* previous = RefreshData::current;
    ASSERT_NE (previous, nullptr);
    Add (1, {50});
    host.progress.cancelAtPoll = 2;
    const size_t reportLines = host.report.size ();
    RefreshData::PopulateTree ();
    EXPECT_EQ (RefreshData::current, previous);
    EXPECT_EQ (previous->totalPolygons, 10);
    EXPECT_EQ (previous->elemsPerType[1], 2);
    EXPECT_EQ (host.report.size (), reportLines) << "no report for a cancelled census";
    EXPECT_FALSE (host.progress.open);
    EXPECT_EQ (host.project.currentDatabase.typeID, 7);
}

TEST_F (CensusWalkTest, AnEmptyScopeStillWritesAReport)
{
    RefreshData::PopulateTree ();
    RefreshData* first = RefreshData::current;
    ASSERT_NE (first, nullptr);
    RefreshData::PopulateTree ();
    EXPECT_NE (RefreshData::current, first);
    EXPECT_EQ (Census ().totalPolygons, 0);
    EXPECT_FALSE (host.report.empty ());
    EXPECT_EQ (host.progress.maximum, 0);
}

TEST_F (CensusWalkTest, AKindOutsideTheCensusTypesIsNotCounted)
{
    RefreshData census;
    census.InitGsmT ();
    API_Element element{};
    element.header.typeID = 40;
    element.header.index = 1;
    EXPECT_EQ (census.CountPolygons (element), 0);
    EXPECT_EQ (std::accumulate (std::begin (census.elemsPerType), std::end (census.elemsPerType), 0), 0);
}

// Runs last of this program's tests: once the box is ticked the message stays hidden until unload.
TEST_F (CensusWalkTest, AnUnfetchablePartIsReportedOncePerCensusTypeAndGetsNoRow)
{
    Place (5, Chair);
    Place (5, Chair);
    Place (6, Chair);
    host.failures.Fail ("ACAPI_LibPart_Get", APIERR_NOTFOUND);
    RefreshData::PopulateTree ();
    EXPECT_EQ (MessagesShown (134), 2);
    EXPECT_EQ (Row (5, Chair), nullptr);
    EXPECT_EQ (Census ().elemsPerType[5], 2);
    EXPECT_EQ (Census ().polysPerType[5], 200);
    EXPECT_EQ (host.failures.Calls ("ACAPI_LibPart_Get"), 2);

    messages.Clear ();
    messages.Queue ({DG::Answer::Check (5), DG::Answer::Click (1)});
    RefreshData::PopulateTree ();
    EXPECT_EQ (MessagesShown (134), 1) << "the box ticked in the first message";
    RefreshData::PopulateTree ();
    EXPECT_EQ (MessagesShown (134), 1);
}

}   // namespace
