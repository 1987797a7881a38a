// The size list on page 4's panel: root rows and library-part rows from a real census of the
// stand-in host's project, rendered as a user reads them and compared with the texts under
// tests/data/size_list; column layout by width; expanding, collapsing and refilling; detail
// texts from the census and from the live table; row values that outlive their census.
#include "TestHost.h"

#include "census/RefreshData.h"
#include "dg/ListRenderer.h"
#include "dg/Panel.h"
#include "host/ResourceModuleLock.h"
#include "palette/SizeList.h"
#include "store/Data.h"
#include "store/DetParNames.h"
#include "store/ModuleData.h"

#include <cstdlib>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>

namespace {

constexpr Int32 Chair = 1;   // LevelOfDetail: Detailed 60 + 40, Simple 30, Block 10 polygons
constexpr Int32 Table = 2;   // LevelOfDetail: Detailed 50, Simple 20, Block 5
constexpr Int32 Lamp = 3;    // no detail parameter: 5 + 5 polygons
constexpr Int32 Stair = 4;   // LevelOfDetail: Detailed 200, Simple 100, Block 50
constexpr Int32 Shelf = 5;   // LevelOfDetail offering only Simple (20) and Block (10)

constexpr Int16 DetailTab = 7;
constexpr Int32 Wide = 17 + 600;   // an item width that gives every column room to read

std::string Expected (const std::string& name)
{
    std::ifstream in (TestSupport::SourceDir () + "/tests/data/size_list/" + name);
    std::stringstream text;
    text << in.rdbuf ();
    std::string out = text.str ();
    while (!out.empty () && out.back () == '\n')
        out.pop_back ();
    return out;
}

// A part whose LevelOfDetail offers the given value texts, in order, each with its bodies; the
// first is the default.
HostSim::LibPart DetailPart (const char* guid, const char* name,
                             std::vector<std::pair<std::string, std::vector<Int32>>> bodies)
{
    HostSim::LibPart part;
    part.guid = guid;
    part.name = name;
    HostSim::ParamDef lod;
    lod.name = "LevelOfDetail";
    for (const auto& [value, polygons] : bodies) {
        lod.valueList.push_back (value);
        part.bodiesByValue[value] = polygons;
    }
    lod.text = lod.valueList.front ();
    part.params = {lod};
    part.detailParam = "LevelOfDetail";
    return part;
}

class SizeListTest : public TestSupport::AddonTest {
public:
    void SetUp () override
    {
        if (const char* old = std::getenv ("LC_ALL"))
            savedLocale = old;
        setenv ("LC_ALL", "C", 1);
        AddonTest::SetUp ();
        ModuleData::Instance ().ClearReadFlag ();
        Data::Instance ().detLevValuesGuidIndex.Clear ();
        detParNames.clear ();
        GS::Array<GS::String> texts;
        for (const char* text : {"Detailed", "Simple", "Block"})
            texts.Push (text);
        detParNames.emplace (OGSString ("LevelOfDetail"), texts);
        BuildProject ();
        OpenList ();
    }
    void TearDown () override
    {
        list.reset ();
        panel.reset ();
        delete RefreshData::current;
        RefreshData::current = nullptr;
        detParNames.clear ();
        AddonTest::TearDown ();
        if (savedLocale)
            setenv ("LC_ALL", savedLocale->c_str (), 1);
        else
            unsetenv ("LC_ALL");
    }

    // A wall; chairs, a table, a lamp and a shelf outside the workspace placed as objects; a
    // stair; a lamp placed as a lamp.
    void BuildProject ()
    {
        for (Int16 i = 0; i <= 2; ++i)
            host.project.stories.push_back ({i, "", 3.0 * i});
        host.project.AddLibPart (
            DetailPart ("{CHAIR}", "Chair", {{"Detailed", {60, 40}}, {"Simple", {30}}, {"Block", {10}}}));
        host.project.AddLibPart (
            DetailPart ("{TABLE}", "Table", {{"Detailed", {50}}, {"Simple", {20}}, {"Block", {5}}}));
        HostSim::LibPart lamp;
        lamp.guid = "{LAMP}";
        lamp.name = "Lamp";
        lamp.bodies = {5, 5};
        host.project.AddLibPart (lamp);
        host.project.AddLibPart (
            DetailPart ("{STAIR}", "Stair", {{"Detailed", {200}}, {"Simple", {100}}, {"Block", {50}}}));
        host.project.AddLibPart (DetailPart ("{SHELF}", "Shelf", {{"Simple", {20}}, {"Block", {10}}}));

        HostSim::Element wall;
        wall.type = 1;
        wall.bodies = {6};
        host.project.AddElement (wall);
        for (Int32 part : {Chair, Chair, Table, Lamp, Shelf})
            Place (6, part);
        host.project.FindElement (6, 5)->ownWorkspace = false;
        Place (6, Stair).variation = API_StairVariation;
        Place (7, Lamp);
    }
    HostSim::Element& Place (API_ElemTypeID type, Int32 part)
    {
        HostSim::Element element;
        element.type = type;
        element.libInd = part;
        return host.project.AddElement (element);
    }

    void OpenList ()
    {
        list.reset ();
        panel.reset ();
        ResourceModuleLock ownResources;
        panel = std::make_unique<DG::Panel> (32513);
        ASSERT_TRUE (panel->IsValid ());
        list = std::make_unique<SizeList> (*panel);
    }
    // The list at a given item width (the rows are 16 pixels narrower, the scroll bar's).
    void SetListWidth (Int32 width)
    {
        list->SetWidth (width);
        list->MyResize ();
    }
    std::string Rendered () const { return DG::RenderList (*list); }
    DG::LeftText Header (Int16 item) const { return DG::LeftText (*panel, item); }
    // The row whose name tab reads `name`; 0 when none does.
    Int16 RowNamed (const char* name) const
    {
        for (Int16 row = 1; row <= list->GetItemCount (); ++row)
            if (list->GetTabItemText (row, 3) == GS::String (name))
                return row;
        return 0;
    }

    std::optional<std::string> savedLocale;
    std::unique_ptr<DG::Panel> panel;
    std::unique_ptr<SizeList> list;
};

TEST_F (SizeListTest, TheCensusReadsAsRootRowsWithSharesOfAllPolygons)
{
    SetListWidth (Wide);
    list->PopulateTree ();
    EXPECT_EQ (Rendered (), Expected ("census.txt"));
    // The census rows' levels went into the live table before the rows were filled.
    const ::detLevValuesGuidIndex& live = Data::Instance ().detLevValuesGuidIndex;
    for (const char* guid : {"{CHAIR}", "{TABLE}", "{SHELF}", "{STAIR}"})
        EXPECT_EQ (live.GetPtr (GuidStr (guid)) != nullptr ? *live.GetPtr (GuidStr (guid)) : -1, 3) << guid;
    EXPECT_EQ (live.GetPtr (GuidStr ("{LAMP}")) != nullptr ? *live.GetPtr (GuidStr ("{LAMP}")) : -1, 5);
}

TEST_F (SizeListTest, GrandTotalZeroGivesZeroShares)
{
    for (auto& [type, slots] : host.project.elements)
        for (auto& element : slots)
            element->has3D = false;
    for (HostSim::LibPart& part : host.project.libParts) {
        part.bodies.clear ();
        part.bodiesByValue.clear ();
    }
    SetListWidth (Wide);
    list->PopulateTree ();
    ASSERT_NE (RefreshData::current, nullptr);
    EXPECT_EQ (RefreshData::current->totalPolygons, 0);
    list->ListBoxInsertItems (RowNamed ("Object"));
    EXPECT_EQ (Rendered (), Expected ("zero_total.txt"));
}

TEST_F (SizeListTest, PolygonSumsPastThirtyTwoBitsAreShownInFull)
{
    host.project.FindElement (1, 1)->bodies = {2000000000, 2000000000};
    SetListWidth (Wide);
    list->PopulateTree ();
    const Int16 walls = RowNamed ("Wall");
    ASSERT_NE (walls, 0);
    EXPECT_EQ (list->GetTabItemText (walls, 5).ToStd (), "4,000,000,000");
    EXPECT_EQ (list->GetTabItemText (walls, 6).ToStd (), "100%");
    EXPECT_EQ (list->GetTabItemText (RowNamed ("Object"), 5).ToStd (), "280");
}

// Header layout of dialog 32513: x0 4, w1 124, e2 169, e3 233, e4 291, e5 352.
TEST_F (SizeListTest, ColumnsDropOutFromTheRightAsTheListNarrows)
{
    list->PopulateTree ();
    list->ListBoxInsertItems (RowNamed ("Object"));
    struct Case {
        Int32 itemWidth;   // W = itemWidth - 17
        const char* rendering;
        bool headers[5];   // items 1 to 5
        Int16 tabEnds[7];
    };
    const Case cases[] = {
        {17 + 123, "narrow.txt", {false, false, false, false, false}, {16, 24, 0, 0, 0, 0, 0}},
        {17 + 124, "name_only.txt", {true, false, false, false, false}, {16, 24, 124, 0, 0, 0, 0}},
        {17 + 351, "no_detail.txt", {true, true, true, true, false}, {16, 24, 149, 203, 281, 351, 0}},
        // Page 4's own list: the page is 380 wide and its list 376, so the rows are 359 wide.
        {17 + 359, "page_width.txt", {true, true, true, true, true}, {16, 24, 126, 172, 237, 296, 359}},
        {17 + 400, "full.txt", {true, true, true, true, true}, {16, 24, 140, 192, 264, 330, 400}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE (c.rendering);
        SetListWidth (c.itemWidth);
        EXPECT_EQ (Rendered (), Expected (c.rendering));
        for (Int16 item = 1; item <= 5; ++item)
            EXPECT_EQ (Header (item).IsVisible (), c.headers[item - 1]) << "header " << item;
        for (Int16 tab = 1; tab <= 7; ++tab)
            EXPECT_EQ (list->GetTabFieldEndPosition (tab), c.tabEnds[tab - 1]) << "tab " << tab;
    }
    // Tabs 1 and 2 keep their places; the name begins at 25 whatever the width.
    EXPECT_EQ (list->GetTabFieldBeginPosition (1), 0);
    EXPECT_EQ (list->GetTabFieldBeginPosition (2), 8);
    EXPECT_EQ (list->GetTabFieldBeginPosition (3), 25);
    // The headers stand over their columns, relative to the list's left edge.
    const Int32 x = list->GetRect ().left;
    EXPECT_EQ (Header (1).GetRect ().left, x + 25);
    EXPECT_EQ (Header (1).GetRect ().width, 140 - 25);
    EXPECT_EQ (Header (5).GetRect ().left, x + 330 + 5);
    EXPECT_EQ (Header (5).GetRect ().left + Header (5).GetRect ().width, x + 400);
}

TEST_F (SizeListTest, AnExpandedTypeComesBackExpandedWithTheNewCensusRows)
{
    SetListWidth (Wide);
    list->PopulateTree ();
    list->ListBoxInsertItems (RowNamed ("Object"));
    EXPECT_EQ (Rendered (), Expected ("expanded.txt"));

    host.project.AddLibPart (DetailPart ("{BENCH}", "Bench", {{"Detailed", {70}}, {"Simple", {35}}}));
    Place (6, 6);
    Place (6, Table);
    list->PopulateTree ();
    EXPECT_EQ (Rendered (), Expected ("expanded_after_census.txt"));
}

TEST_F (SizeListTest, CollapsingDeletesOnlyThatTypesPartRows)
{
    SetListWidth (Wide);
    list->PopulateTree ();
    list->ListBoxInsertItems (RowNamed ("Lamp"));   // the root row: no lamp part row is shown yet
    list->ListBoxInsertItems (RowNamed ("Object"));
    const Int16 before = list->GetItemCount ();
    const Int16 objects = RowNamed ("Object");

    // The object rows are followed directly by the lamp's root row.
    list->ListBoxDeleteItems (objects);
    EXPECT_EQ (list->GetItemCount (), before - 4);
    EXPECT_EQ (list->GetTabItemText (objects + 1, 3).ToStd (), "Lamp");
    EXPECT_EQ (list->GetTabItemIcon (objects, 1).GetResourceId (), 32601);
    EXPECT_TRUE (list->IsLibPartRow (objects + 2)) << "the lamp's part row stays";
    EXPECT_EQ (Rendered (), Expected ("collapsed.txt"));

    // Collapsing again, or a part row, changes nothing; the next census keeps it collapsed.
    list->ListBoxDeleteItems (objects);
    list->ListBoxDeleteItems (objects + 2);
    EXPECT_EQ (Rendered (), Expected ("collapsed.txt"));
    list->PopulateTree ();
    EXPECT_EQ (Rendered (), Expected ("collapsed.txt"));
}

TEST_F (SizeListTest, PartRowsWithoutALevelToTakeAreGrayed)
{
    SetListWidth (Wide);
    list->PopulateTree ();
    list->ListBoxInsertItems (RowNamed ("Object"));
    struct Case {
        const char* name;
        bool grayed;
        const char* detail;
    };
    const Case cases[] = {
        {"Chair", false, "Keep"},   // new parts take the project default, keep
        {"Table", false, "Keep"},
        {"Lamp", true, ""},        // no detail parameter: level 5
        {"Shelf", true, "Keep"},   // offers no level 0, and only outside the workspace
    };
    for (const Case& c : cases) {
        const Int16 row = RowNamed (c.name);
        ASSERT_NE (row, 0) << c.name;
        EXPECT_EQ (list->IsItemGrayed (row), c.grayed) << c.name;
        EXPECT_EQ (list->GetTabItemText (row, DetailTab).ToStd (), c.detail) << c.name;
        ASSERT_NE (list->RowOf (row), nullptr) << c.name;
        EXPECT_EQ (list->RowOf (row)->name.ToStd (), c.name);
    }
    EXPECT_EQ (list->RowOf (RowNamed ("Lamp"))->detLev, 5);
}

TEST_F (SizeListTest, TheDetailColumnFollowsTheLiveTableForActiveRowsOnly)
{
    SetListWidth (Wide);
    list->PopulateTree ();
    list->ListBoxInsertItems (RowNamed ("Object"));
    ::detLevValuesGuidIndex& live = Data::Instance ().detLevValuesGuidIndex;
    live.Put (GuidStr ("{CHAIR}"), 1);
    live.Put (GuidStr ("{TABLE}"), 4);
    live.Put (GuidStr ("{LAMP}"), 0);    // grayed row: skipped
    live.Put (GuidStr ("{SHELF}"), 2);   // grayed row: skipped
    list->ValidateDetailColumn ();
    EXPECT_EQ (list->GetTabItemText (RowNamed ("Chair"), DetailTab).ToStd (), "Simple");
    EXPECT_EQ (list->GetTabItemText (RowNamed ("Table"), DetailTab).ToStd (), "Default");
    EXPECT_EQ (list->GetTabItemText (RowNamed ("Lamp"), DetailTab).ToStd (), "");
    EXPECT_EQ (list->GetTabItemText (RowNamed ("Shelf"), DetailTab).ToStd (), "Keep");

    // Values of 5 and more read as keep; a part the table lacks keeps its text.
    live.Delete (GuidStr ("{CHAIR}"));
    for (Int16 value : {5, 7}) {
        live.Put (GuidStr ("{TABLE}"), 0);
        list->ValidateDetailColumn ();
        ASSERT_EQ (list->GetTabItemText (RowNamed ("Table"), DetailTab).ToStd (), "Detailed");
        live.Put (GuidStr ("{TABLE}"), value);
        list->ValidateDetailColumn ();
        EXPECT_EQ (list->GetTabItemText (RowNamed ("Table"), DetailTab).ToStd (), "Keep") << value;
    }
    EXPECT_EQ (list->GetTabItemText (RowNamed ("Chair"), DetailTab).ToStd (), "Simple");
}

TEST_F (SizeListTest, RowValuesNeverReachPastTheCurrentCensus)
{
    SetListWidth (Wide);
    list->PopulateTree ();
    list->ListBoxInsertItems (RowNamed ("Object"));
    const Int16 chair = RowNamed ("Chair");
    const Int16 lamp = RowNamed ("Lamp");
    EXPECT_EQ (list->RowOf (RowNamed ("Object")), nullptr) << "a root row";
    EXPECT_EQ (list->RowOf (0), nullptr);
    EXPECT_EQ (list->RowOf (list->GetItemCount () + 1), nullptr);

    // A census with fewer parts replaces the one the rows were filled from, without a refill.
    for (Int32 index = 2; index <= 5; ++index)
        host.project.elements[6][static_cast<size_t> (index - 1)].reset ();
    RefreshData::PopulateTree ();
    ASSERT_EQ (RefreshData::current->sortedGsms.Get (6).size (), 1u);
    EXPECT_NE (list->RowOf (chair), nullptr);
    EXPECT_EQ (list->RowOf (lamp), nullptr) << "its position is past the new ranked list";

    // Values that name no census type, or a type without a list, answer null.
    for (Int32 value : {0x7FFFFFFF, (40 << 24) | 0, (2 << 24) | 0, 6, -1}) {
        list->SetItemValue (chair, value);
        EXPECT_EQ (list->RowOf (chair), nullptr) << value;
    }
    delete RefreshData::current;
    RefreshData::current = nullptr;
    EXPECT_EQ (list->RowOf (lamp), nullptr);
    list->ValidateDetailColumn ();   // nothing to reach: no crash, no text change
    list->ListBoxInsertItems (RowNamed ("Lamp"));
}

TEST_F (SizeListTest, ARefillKeepsTheScrollPosition)
{
    SetListWidth (Wide);
    list->PopulateTree ();
    list->ListBoxInsertItems (RowNamed ("Object"));
    list->SetScrollPosition (5);
    list->PopulateTree ();
    EXPECT_EQ (list->GetScrollPosition (), 5);
}

}   // namespace
