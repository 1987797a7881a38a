// Selecting the counted elements behind chosen rows of the size list: which elements each kind
// of row chooses, the scope (marquee, stories), the window and story brought up, and the
// stand-in host's selection afterwards.
#include "TestHost.h"

#include "census/RefreshData.h"
#include "dg/Panel.h"
#include "host/ResourceModuleLock.h"
#include "palette/SelectSelItems.h"
#include "palette/SizeList.h"
#include "store/Data.h"
#include "store/DetParNames.h"
#include "store/ModuleData.h"

#include <algorithm>
#include <memory>
#include <set>

namespace {

using Pair = std::pair<API_ElemTypeID, Int32>;
using Pairs = std::set<Pair>;

constexpr Int32 Chair = 1;
constexpr Int32 Table = 2;
constexpr Int32 Flight = 3;   // a stair's library part
constexpr Int32 EntryDoor = 4;

class SelectionTest : public TestSupport::AddonTest {
public:
    void SetUp () override
    {
        AddonTest::SetUp ();
        ModuleData::Instance ().ClearReadFlag ();
        Data& settings = Data::Instance ();
        settings.detLevValuesGuidIndex.Clear ();
        settings.useMarquee = false;
        settings.allStories = true;
        settings.fromStory = 0;
        settings.toStory = 3;
        detParNames.clear ();
        BuildProject ();
        {
            ResourceModuleLock ownResources;
            panel = std::make_unique<DG::Panel> (32513);
        }
        list = std::make_unique<SizeList> (*panel);
        list->PopulateTree ();
        ASSERT_NE (RefreshData::current, nullptr);
        for (API_ElemTypeID type : {5, 6, 33})
            list->ListBoxInsertItems (RootRow (type));
    }
    void TearDown () override
    {
        list.reset ();
        panel.reset ();
        delete RefreshData::current;
        RefreshData::current = nullptr;
        Data::Instance ().useMarquee = false;
        AddonTest::TearDown ();
    }

    // Stories 0 to 3. A wall (story 0); objects: chairs on stories 0 and 1, a table on 0, the
    // stair's part placed as an object on 0, a stair on 1, a chair on a hidden layer; a door.
    void BuildProject ()
    {
        for (Int16 i = 0; i <= 3; ++i)
            host.project.stories.push_back ({i, "", 3.0 * i});
        for (const char* name : {"Chair", "Table", "Flight", "Entry door"}) {
            HostSim::LibPart part;
            part.guid = std::string ("{") + name + "}";
            part.name = name;
            part.bodies = {4};
            host.project.AddLibPart (part);
        }
        HostSim::Element wall;
        wall.type = 1;
        wall.bodies = {6};
        host.project.AddElement (wall);
        Place (6, Chair, 0);
        Place (6, Chair, 1);
        Place (6, Table, 0);
        Place (6, Flight, 0);
        Place (6, Flight, 1).variation = API_StairVariation;
        Place (6, Chair, 0).shownLayer = false;
        Place (5, EntryDoor, 0);
    }
    HostSim::Element& Place (API_ElemTypeID type, Int32 part, Int16 story)
    {
        HostSim::Element element;
        element.type = type;
        element.libInd = part;
        element.story = story;
        return host.project.AddElement (element);
    }

    // The root row of a census type.
    Int16 RootRow (API_ElemTypeID type) const
    {
        for (Int16 row = 1; row <= list->GetItemCount (); ++row)
            if (!list->IsLibPartRow (row) && list->GetItemValue (row) == type)
                return row;
        return 0;
    }
    // The part row named `name` under the root row of `type`.
    Int16 PartRow (API_ElemTypeID type, const char* name) const
    {
        for (Int16 row = RootRow (type) + 1; list->IsLibPartRow (row); ++row)
            if (list->GetTabItemText (row, 3) == GS::String (name))
                return row;
        return 0;
    }
    void Choose (std::initializer_list<Int16> rows)
    {
        list->DeselectItem (0);
        for (Int16 row : rows) {
            ASSERT_NE (row, 0);
            list->SelectItem (row);
        }
    }
    void PreviouslySelected (Pairs pairs)
    {
        host.project.selection = HostSim::Selection ();
        host.project.selection.kind = 1;
        host.project.selection.elements.assign (pairs.begin (), pairs.end ());
    }
    Pairs Selected () const
    {
        const auto& elements = host.project.selection.elements;
        return Pairs (elements.begin (), elements.end ());
    }

    std::unique_ptr<DG::Panel> panel;
    std::unique_ptr<SizeList> list;
};

TEST_F (SelectionTest, EachKindOfRowChoosesItsElements)
{
    struct Case {
        const char* what;
        std::vector<std::pair<API_ElemTypeID, const char*>> rows;   // name null: the root row
        Pairs selected;
    };
    const Case cases[] = {
        {"object root row: every object but the stair", {{6, nullptr}}, {{6, 1}, {6, 2}, {6, 3}, {6, 4}}},
        {"stairs row: only the stair", {{33, nullptr}}, {{6, 5}}},
        {"one part's row: only its placements", {{6, "Chair"}}, {{6, 1}, {6, 2}}},
        {"a door part's row without its root row", {{5, "Entry door"}}, {{5, 1}}},
        {"root row with its part rows: the root row decides",
         {{6, nullptr}, {6, "Chair"}, {6, "Table"}},
         {{6, 1}, {6, 2}, {6, 3}, {6, 4}}},
        {"a stair's part row: the stair and the part placed as an object", {{33, "Flight"}}, {{6, 4}, {6, 5}}},
        {"rows of two kinds", {{1, nullptr}, {5, nullptr}}, {{1, 1}, {5, 1}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE (c.what);
        PreviouslySelected ({{6, 6}});
        list->DeselectItem (0);
        for (const auto& [type, name] : c.rows) {
            const Int16 row = name != nullptr ? PartRow (type, name) : RootRow (type);
            ASSERT_NE (row, 0);
            list->SelectItem (row);
        }
        list->MySelect (false, true, 0, 3);
        EXPECT_EQ (Selected (), c.selected);
        EXPECT_EQ (host.project.selection.kind, 1);
    }
}

TEST_F (SelectionTest, ElementsOnTwoStoriesBringUpTheAllStoriesWindow)
{
    PreviouslySelected ({{1, 1}});
    host.project.currentDatabase = {7, 2};
    Choose ({PartRow (6, "Chair")});
    list->MySelect (false, true, 0, 3);
    EXPECT_EQ (host.project.currentWindow, 4);
    EXPECT_EQ (Selected (), (Pairs{{6, 1}, {6, 2}})) << "the wall is no longer selected";
    EXPECT_EQ (host.project.currentDatabase.typeID, 1) << "the floor plan stays current";
}

TEST_F (SelectionTest, ElementsOnOneStoryBringUpItsPlan)
{
    host.project.currentWindow = 4;
    host.project.currentStory = 3;
    Choose ({PartRow (6, "Flight")});
    list->MySelect (false, false, 1, 1);   // the story range leaves the placement on story 0 out
    EXPECT_EQ (Selected (), (Pairs{{6, 5}}));
    EXPECT_EQ (host.project.currentWindow, 1);
    EXPECT_EQ (host.project.currentStory, 1);
}

TEST_F (SelectionTest, ASingleStoryMarqueeKeepsToTheCurrentStory)
{
    const auto marquee = [this] {
        host.project.selection = HostSim::Selection ();
        host.project.selection.kind = 2;
        host.project.selection.polygon = {{0, 0}, {10, 0}, {10, 10}};
        host.project.selection.elements = {{6, 1}, {6, 2}, {6, 3}};
    };
    host.project.currentStory = 1;

    // The stored marquee setting decides: all stories are asked for, only story 1 is reached.
    marquee ();
    Data::Instance ().useMarquee = true;
    Choose ({RootRow (6)});
    list->MySelect (true, true, 0, 3);
    EXPECT_EQ (host.project.currentWindow, 1);
    EXPECT_EQ (host.project.currentStory, 1);
    EXPECT_EQ (host.project.selection.kind, 2) << "the marquee stays";
    EXPECT_EQ (Selected (), (Pairs{{6, 1}, {6, 2}, {6, 3}}));

    // Without the stored setting the marquee's elements on stories 0 and 1 are both reached.
    marquee ();
    Data::Instance ().useMarquee = false;
    list->MySelect (true, true, 0, 3);
    EXPECT_EQ (host.project.currentWindow, 4);
    EXPECT_EQ (host.project.selection.kind, 2);
}

TEST_F (SelectionTest, NoMatchKeepsThePreviousSelection)
{
    PreviouslySelected ({{1, 1}});
    host.project.currentWindow = 4;
    Choose ({RootRow (2)});   // columns: none in the model
    list->MySelect (false, true, 0, 3);
    EXPECT_EQ (Selected (), (Pairs{{1, 1}}));
    EXPECT_EQ (host.project.currentWindow, 1) << "the all-stories view still gives way to the plan";
    EXPECT_EQ (host.failures.Calls ("ACAPI_Element_Select"), 0) << "no deselection, no selection";

    // A part the host no longer finds chooses nothing either.
    host.project.FindLibPart (Chair)->guid = "{CHAIR-RENAMED}";
    Choose ({PartRow (6, "Chair")});
    list->MySelect (false, true, 0, 3);
    EXPECT_EQ (Selected (), (Pairs{{1, 1}}));
}

TEST_F (SelectionTest, NoChosenRowDoesNothing)
{
    PreviouslySelected ({{1, 1}});
    host.project.currentWindow = 4;
    host.project.currentDatabase = {7, 2};
    const Int32 databaseQueries = host.failures.Calls ("GDAT");
    list->DeselectItem (0);
    list->MySelect (false, true, 0, 3);
    EXPECT_EQ (Selected (), (Pairs{{1, 1}}));
    EXPECT_EQ (host.project.currentWindow, 4);
    EXPECT_EQ (host.project.currentDatabase.typeID, 7) << "not even the database switch";
    EXPECT_EQ (host.failures.Calls ("GDAT"), databaseQueries);
}

TEST_F (SelectionTest, UnreadableElementsAreSkippedAndTheRestSelected)
{
    // Candidates are read in (type, index) order: the wall, the door, then the first chair.
    host.failures.Fail ("ACAPI_Element_Get", APIERR_BADID, 3, 1);
    Choose ({PartRow (6, "Chair")});
    list->MySelect (false, true, 0, 3);
    EXPECT_EQ (Selected (), (Pairs{{6, 2}}));
}

TEST_F (SelectionTest, TheCollectorHandsTheHostOnlyWhatItsBlockHolds)
{
    PreviouslySelected ({{6, 3}});
    API_Element wall{}, door{}, unselectable{};
    wall.header = {1, 1};
    door.header = {5, 1};
    unselectable.header = {33, 1};   // a kind without a selection reference: left out
    {
        SelectSelItems collector;
        collector.Init (2);
        collector.Inc (unselectable);
        collector.Inc (wall);
        collector.Inc (door);
        collector.Inc (wall);   // past the batch's size: left out
        collector.Add ();
        EXPECT_EQ (collector.GetTotal (), 2);
    }
    EXPECT_EQ (Selected (), (Pairs{{1, 1}, {5, 1}}));

    // A collector that gathered nothing leaves the selection alone.
    {
        SelectSelItems empty;
        empty.Init (0);
        empty.Add ();
    }
    EXPECT_EQ (Selected (), (Pairs{{1, 1}, {5, 1}}));

    // Kinds outside the census types are never chosen by a row.
    for (API_ElemTypeID type : {-1, 34, 99}) {
        API_Element element{};
        element.header.typeID = type;
        EXPECT_FALSE (IsBtwnSelListItems (element)) << type;
    }
}

}   // namespace
