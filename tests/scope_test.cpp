// Scope of a census or a selection run: story numbers to indexes, the story test, recording the
// chosen elements' stories and showing them, the candidate elements from the selection, marquee
// or whole model, dropping the old selection, and the floor-plan database for a scope's length.
#include "TestHost.h"

#include "census/DatabaseChange.h"
#include "census/FloorCounter.h"
#include "census/Marquee.h"
#include "host/ACAPI.h"

#include <stdexcept>
#include <vector>

namespace {

using Pairs = std::vector<std::pair<API_ElemTypeID, Int32>>;

class ScopeTest : public TestSupport::AddonTest {
public:
    void SetUp () override
    {
        AddonTest::SetUp ();
        for (Int16 i = -2; i <= 5; ++i)
            host.project.stories.push_back ({i, "", 3.0 * i});
    }

    void AddElements (API_ElemTypeID type, Int32 count, Int16 story = 0)
    {
        for (Int32 i = 0; i < count; ++i) {
            HostSim::Element element;
            element.type = type;
            element.story = story;
            host.project.AddElement (element);
        }
    }

    void Select (Int32 kind, const Pairs& elements, bool multiStory = false)
    {
        host.project.selection.kind = kind;
        host.project.selection.elements = elements;
        host.project.selection.multiStory = multiStory;
        host.project.selection.polygon = {{0, 0}, {4, 0}, {4, 3}};
    }

    // Stories -5 .. 8 that pass the filter.
    static std::vector<Int16> Passing (const FloorCounter& floors)
    {
        std::vector<Int16> passing;
        for (Int16 s = -5; s <= 8; ++s)
            if (floors.IsInEnabledFloor (s))
                passing.push_back (s);
        return passing;
    }
};

TEST_F (ScopeTest, StoryNumbersBecomeIndexesWithTheNumberingFlag)
{
    struct Case {
        bool skipNull;
        Int32 from, to;
        Int32 first, last;
        std::vector<Int16> passing;
    };
    const Case cases[] = {
        {true, 0, 0, 0, -1, {}},   // numbers 1 .. -1: an empty range
        {true, -2, 3, -2, 2, {-2, -1, 0, 1, 2}},
        {true, 1, 1, 0, 0, {0}},
        {true, 0, 2, 0, 1, {0, 1}},
        {false, 0, 0, 0, 0, {0}},
        {false, -2, 3, -2, 3, {-2, -1, 0, 1, 2, 3}},
        {false, 3, 1, 3, 1, {}},
    };
    for (const Case& c : cases) {
        host.project.skipNullFloor = c.skipNull;
        FloorCounter floors (false, c.from, c.to, false, false);
        const std::string what =
            std::to_string (c.skipNull) + " " + std::to_string (c.from) + ".." + std::to_string (c.to);
        EXPECT_EQ (floors.firstStoryIndex, c.first) << what;
        EXPECT_EQ (floors.lastStoryIndex, c.last) << what;
        EXPECT_EQ (Passing (floors), c.passing) << what;
    }
}

TEST_F (ScopeTest, StoryTestOrderEveryStoryThenCurrentOnlyThenAllThenRange)
{
    host.project.currentStory = 2;
    struct Case {
        bool all, currentOnly, every;
        std::vector<Int16> passing;
    };
    const Case cases[] = {
        {true, true, false, {2}},   // current story only wins over all stories
        {false, true, false, {2}},
        {true, false, false, {-5, -4, -3, -2, -1, 0, 1, 2, 3, 4, 5, 6, 7, 8}},
        {false, true, true, {-5, -4, -3, -2, -1, 0, 1, 2, 3, 4, 5, 6, 7, 8}},
        {false, false, false, {-1, 0}},   // the range -1 .. 0
    };
    for (const Case& c : cases) {
        FloorCounter floors (c.all, -1, 0, c.currentOnly, c.every);
        EXPECT_EQ (Passing (floors), c.passing) << c.all << c.currentOnly << c.every;
    }
    FloorCounter floors (false, 0, 0, true, false);
    host.project.currentStory = 4;
    EXPECT_TRUE (floors.IsInEnabledFloor (2)) << "the current story is the one at construction";
    EXPECT_FALSE (floors.IsInEnabledFloor (4));
}

TEST_F (ScopeTest, ChosenElementsOnOneStoryShowThatStoryInThePlan)
{
    AddElements (1, 2, 2);
    Select (1, {{1, 1}, {1, 2}});
    host.project.currentWindow = 4;
    host.project.currentStory = 0;
    FloorCounter floors (true, 0, 0, false, false);
    for (Int16 s : {2, 2, 2})
        floors.MultiFloor (s);
    EXPECT_FALSE (floors.severalStories);
    floors.Change ();
    EXPECT_EQ (host.project.currentWindow, 1);
    EXPECT_EQ (host.project.currentStory, 2);
    EXPECT_EQ (host.project.selection.kind, 1) << "one story: the selection is left to the caller";
}

TEST_F (ScopeTest, ChosenElementsOnSeveralStoriesShowTheAllStoriesViewAndDropTheSelection)
{
    AddElements (1, 2, 2);
    Select (1, {{1, 1}, {1, 2}});
    host.project.currentWindow = 1;
    host.project.currentStory = 0;
    FloorCounter floors (true, 0, 0, false, false);
    for (Int16 s : {2, 3, 2})
        floors.MultiFloor (s);
    EXPECT_TRUE (floors.severalStories);
    EXPECT_EQ (floors.firstStorySeen, 2);
    floors.Change ();
    EXPECT_EQ (host.project.currentWindow, 4);
    EXPECT_EQ (host.project.currentStory, 0) << "no story change";
    EXPECT_EQ (host.project.selection.kind, 0);
    EXPECT_TRUE (host.project.selection.elements.empty ());
}

TEST_F (ScopeTest, ChangeWithNothingRecordedOnlyLeavesTheAllStoriesView)
{
    host.project.currentStory = 3;
    struct Case {
        API_WindowTypeID before, after;
    };
    for (const Case c : {Case{4, 1}, Case{1, 1}, Case{7, 7}}) {
        host.project.currentWindow = c.before;
        FloorCounter floors (true, 0, 0, false, false);
        floors.Change ();
        EXPECT_EQ (host.project.currentWindow, c.after) << c.before;
        EXPECT_EQ (host.project.currentStory, 3);
    }
    EXPECT_EQ (host.failures.Calls ("CSTO"), 0);
}

TEST_F (ScopeTest, WholeModelVisitsTypesOneToTenAndSeventeenByTypeThenIndex)
{
    AddElements (17, 2);
    AddElements (11, 3);   // not a counted type
    AddElements (5, 2);
    AddElements (1, 3);
    host.project.elements[1][1].reset ();   // a deleted wall: its index is still a candidate
    AddElements (10, 1);
    Select (0, {});
    Marquee marquee (true, false);   // marquee scope, nothing selected
    const Pairs expected = {{1, 1}, {1, 2}, {1, 3}, {5, 1}, {5, 2}, {10, 1}, {17, 1}, {17, 2}};
    EXPECT_EQ (marquee.candidates, expected);
    EXPECT_TRUE (marquee.MultiSt ());
}

TEST_F (ScopeTest, SelectedElementsAreVisitedByTypeThenIndexWhateverTheirType)
{
    AddElements (1, 4);
    AddElements (5, 2);
    AddElements (11, 1);
    AddElements (28, 1);
    Select (1, {{5, 2}, {11, 1}, {1, 4}, {28, 1}, {1, 1}, {5, 1}});
    Marquee marquee (true, false);
    const Pairs expected = {{1, 1}, {1, 4}, {5, 1}, {5, 2}, {11, 1}};   // 28 has no selection reference
    EXPECT_EQ (marquee.candidates, expected);
    EXPECT_EQ (marquee.selectionInfo.typeID, 1);
    EXPECT_TRUE (marquee.MultiSt ());

    Marquee whole (false, false);
    EXPECT_EQ (whole.candidates, (Pairs{{1, 1}, {1, 2}, {1, 3}, {1, 4}, {5, 1}, {5, 2}}))
        << "without the marquee setting the selection is not used";
}

TEST_F (ScopeTest, AMarqueeForOneStoryLimitsTheVisitToTheCurrentStory)
{
    AddElements (1, 3, 2);
    host.project.currentStory = 2;
    struct Case {
        bool multiStory;
        bool multiSt;
        std::vector<Int16> passing;   // with stories 4 .. 5 chosen
    };
    for (const Case& c : {Case{false, false, {2}}, Case{true, true, {4, 5}}}) {
        Select (2, {{1, 3}, {1, 1}}, c.multiStory);
        const bool useMarquee = true;
        Marquee marquee (useMarquee, false);
        FloorCounter floors (false, 4, 5, useMarquee && !marquee.MultiSt (), false);
        EXPECT_EQ (marquee.MultiSt (), c.multiSt);
        EXPECT_EQ (marquee.candidates, (Pairs{{1, 1}, {1, 3}}));
        EXPECT_EQ (Passing (floors), c.passing);
    }
    Select (2, {});
    Marquee empty (true, false);
    EXPECT_TRUE (empty.candidates.empty ()) << "a marquee around nothing visits nothing";
}

TEST_F (ScopeTest, AReferenceTheHostCannotNameIsLeftOut)
{
    AddElements (1, 3);
    Select (1, {{1, 3}, {1, 2}, {1, 1}});
    host.failures.Fail ("NTOE", APIERR_BADPARS, 2, 1);
    Marquee marquee (true, false);
    EXPECT_EQ (marquee.candidates, (Pairs{{1, 1}, {1, 3}}));
}

TEST_F (ScopeTest, KillOldSelectionDropsSelectedElementsButLeavesAMarquee)
{
    AddElements (1, 2);
    AddElements (6, 1);
    Select (1, {{6, 1}, {1, 2}});
    KillOldSelection ();
    EXPECT_EQ (host.project.selection.kind, 0);
    EXPECT_TRUE (host.project.selection.elements.empty ());

    Select (2, {{1, 1}, {1, 2}});
    KillOldSelection ();
    EXPECT_EQ (host.project.selection.kind, 2);
    EXPECT_EQ (host.project.selection.elements.size (), 2u);
    EXPECT_EQ (host.failures.Calls ("ACAPI_Element_Select"), 1);

    Select (0, {});   // the host answers "nothing selected": no failure, nothing to drop
    KillOldSelection ();
    EXPECT_EQ (host.failures.Calls ("ACAPI_Element_Select"), 1);

    Select (1, {{1, 1}});
    host.failures.Fail ("ACAPI_Selection_Get", APIERR_GENERAL);
    KillOldSelection ();
    EXPECT_EQ (host.project.selection.elements.size (), 1u) << "a failed query drops nothing";
    EXPECT_EQ (host.failures.Calls ("ACAPI_Element_Select"), 1);
}

TEST_F (ScopeTest, TheFloorPlanIsCurrentForTheScopeAndTheOldDatabaseComesBack)
{
    host.project.currentDatabase = {5, 9};
    {
        DatabaseChange change;
        EXPECT_EQ (host.project.currentDatabase.typeID, 1);
        EXPECT_EQ (host.project.currentDatabase.index, 9);
    }
    EXPECT_EQ (host.project.currentDatabase.typeID, 5);
    EXPECT_EQ (host.project.currentDatabase.index, 9);

    host.project.currentDatabase = {3, 2};
    try {
        DatabaseChange change;
        throw std::runtime_error ("census failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ (host.project.currentDatabase.typeID, 3) << "restored when an exception leaves the scope";
}

TEST_F (ScopeTest, AnUnreadableDatabaseIsNotRestoredFromAnEmptyRecord)
{
    host.project.currentDatabase = {5, 9};
    host.failures.Fail ("GDAT", APIERR_GENERAL);
    {
        DatabaseChange change;
        EXPECT_EQ (host.project.currentDatabase.typeID, 1);
    }
    EXPECT_EQ (host.failures.Calls ("CDAT"), 1) << "only the switch to the floor plan";
    EXPECT_EQ (host.project.currentDatabase.typeID, 1);
}

}   // namespace
