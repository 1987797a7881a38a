// The palette's pages as a user works them: page 1's story range and layout, page 2's scope title,
// page 3's default level (refreshing at once except for keep), page 4's expanders, double clicks
// and change dialog, page 5's buttons, gap and total.
#include "PaletteFixture.h"

#include "dg/Driver.h"
#include "dg/ListDriver.h"
#include "dg/RecordingAgent.h"
#include "palette/RollDownDialogGeneralPage1.h"
#include "palette/RollDownDialogGeneralPage2.h"
#include "palette/RollDownDialogGeneralPage3.h"
#include "palette/RollDownDialogGeneralPage4.h"
#include "palette/RollDownDialogGeneralPage5.h"
#include "store/ChangeLODDialog.h"

namespace {

using TestSupport::AddonString;

constexpr Int16 ListItem = SizeList::ListItem;
constexpr Int16 ObjectRow = 6;   // root rows: types 1 to 10, 17, 33; type 6 is the sixth
constexpr Int16 LampRow = 7;
constexpr Int32 PaletteHeight = 417;

class PagesTest : public TestSupport::PaletteFixture {
public:
    void SetUp () override
    {
        PaletteFixture::SetUp ();
        agent = std::make_unique<DG::ScopedUserAgent> (answers);
    }
    void TearDown () override
    {
        agent.reset ();
        PaletteFixture::TearDown ();
    }

    void Open ()
    {
        MenuCommand ();
        ASSERT_NE (Palette (), nullptr);
    }
    RollDownPalette& P () { return *Palette (); }
    // The user drags the palette's frame to a new client width.
    void ResizeTo (Int32 width)
    {
        DG::Driver driver (P ());
        ASSERT_TRUE (driver.Resize (width, PaletteHeight)) << driver.GetError ();
    }
    std::string Title (Int32 position)
    {
        return P ().GetRollDownSurface ()->GetPanelSets ().front ()->GetPanel (position)->GetTitle ().ToStd ();
    }
    SizeList& List () { return P ().generalPage4->sizeList; }
    DG::ListDriver ListUser () { return DG::ListDriver (*P ().generalPage4); }
    std::string TotalText () { return P ().generalPage5->totalText.GetText ().ToStd (); }

    DG::RecordingAgent answers;
    std::unique_ptr<DG::ScopedUserAgent> agent;
};

// ---- page 1 ---------------------------------------------------------------------------------

TEST_F (PagesTest, AllStoriesDisablesTheRangeAndTheTitleNamesTheChoiceOnlyWhenNarrow)
{
    Open ();
    RollDownDialogGeneralPage1& page = *P ().generalPage1;
    EXPECT_FALSE (page.fromEdit.IsEnabled ());
    EXPECT_FALSE (page.toEdit.IsEnabled ());
    EXPECT_EQ (Title (0), AddonString (142, 3)) << "wider than the title threshold: the prefix alone";

    const Int32 threshold = std::stoi (AddonString (142, 4));
    ResizeTo (threshold);
    EXPECT_EQ (Title (0), AddonString (142, 3) + AddonString (142, 5));

    DG::Driver user (page);
    ASSERT_TRUE (user.SelectRadio (2)) << user.GetError ();
    EXPECT_TRUE (page.fromEdit.IsEnabled ());
    EXPECT_TRUE (page.toEdit.IsEnabled ());
    EXPECT_EQ (Title (0), AddonString (142, 3) + AddonString (142, 7) + "0" + AddonString (142, 8) + "2");
    ASSERT_TRUE (user.SelectRadio (1));
    EXPECT_FALSE (page.fromEdit.IsEnabled ());
    EXPECT_EQ (Title (0), AddonString (142, 3) + AddonString (142, 5));
}

TEST_F (PagesTest, TheRangeNeverRunsBackwardsButMayBeOneStory)
{
    Open ();
    RollDownDialogGeneralPage1& page = *P ().generalPage1;
    ResizeTo (std::stoi (AddonString (142, 4)));
    DG::Driver user (page);
    ASSERT_TRUE (user.SelectRadio (2));

    ASSERT_TRUE (user.TypeValue (3, 5));
    EXPECT_EQ (page.fromEdit.GetValue (), 0) << "a first story above the last is put back";
    ASSERT_TRUE (user.TypeValue (5, -1));
    EXPECT_EQ (page.toEdit.GetValue (), 2) << "a last story below the first is put back";
    ASSERT_TRUE (user.TypeValue (3, 2));
    EXPECT_EQ (page.fromEdit.GetValue (), 2) << "equal is accepted";
    EXPECT_EQ (Title (0), AddonString (142, 3) + AddonString (142, 6) + "2");

    ASSERT_TRUE (user.TypeValue (3, 1));
    P ().generalPage5->PopulateTree ();
    EXPECT_FALSE (Data::Instance ().allStories);
    EXPECT_EQ (Data::Instance ().fromStory, 1);
    EXPECT_EQ (Data::Instance ().toStory, 2);
}

TEST_F (PagesTest, StoryNumbersFollowTheNumberingFlagAndAllStoriesHandsThemOn)
{
    host.project.stories.clear ();
    for (Int16 i = -1; i <= 2; ++i)
        host.project.stories.push_back ({i, "", 3.0 * i});
    host.project.skipNullFloor = true;
    Open ();
    RollDownDialogGeneralPage1& page = *P ().generalPage1;
    EXPECT_EQ (page.firstStory, -1);
    EXPECT_EQ (page.lastStory, 3);
    EXPECT_EQ (page.fromEdit.GetValue (), -1);
    EXPECT_EQ (page.toEdit.GetValue (), 3);

    page.fromEdit.SetValue (1);   // what the edits show does not count while all stories is chosen
    P ().generalPage5->PopulateTree ();
    EXPECT_TRUE (Data::Instance ().allStories);
    EXPECT_EQ (Data::Instance ().fromStory, -1);
    EXPECT_EQ (Data::Instance ().toStory, 3);
}

TEST_F (PagesTest, PageOneSwitchesLayoutAtItsThresholdAndKeepsTheEditsInPlace)
{
    Open ();
    RollDownDialogGeneralPage1& page = *P ().generalPage1;
    const Int32 threshold = std::stoi (AddonString (142, 2));
    const Int32 editTop = page.fromEdit.GetRect ().top;
    const Int32 textTop = page.rangeText.GetRect ().top;
    EXPECT_EQ (editTop, textTop) << "the edits line up with the text between them";

    struct Case {
        Int32 width;
        bool wide;
    };
    const Case cases[] = {{threshold, true}, {threshold - 1, false}, {threshold + 40, true}, {200, false}, {380, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE (c.width);
        ResizeTo (c.width);
        EXPECT_EQ (page.rangeRadio.GetText ().ToStd (), c.wide ? AddonString (142, 1) : "");
        EXPECT_EQ (page.rangeRadio.GetWidth (), c.wide ? 110 : 18);
        EXPECT_EQ (page.fromEdit.GetRect (), (DG::Rect{c.wide ? 127 : 30, editTop, 35, 18}));
        EXPECT_EQ (page.rangeText.GetRect (), (DG::Rect{c.wide ? 170 : 73, textTop, 20, 18}));
        EXPECT_EQ (page.toEdit.GetRect (), (DG::Rect{c.wide ? 200 : 103, editTop, 35, 18}));
    }
}

// ---- pages 2 and 3 --------------------------------------------------------------------------

TEST_F (PagesTest, PageTwoShowsTheWholeTitleFromItsThresholdOn)
{
    Open ();
    const Int32 threshold = std::stoi (AddonString (143, 4));
    ResizeTo (threshold);
    EXPECT_EQ (Title (1), AddonString (143, 1) + AddonString (143, 2));
    ResizeTo (threshold - 1);
    EXPECT_EQ (Title (1), AddonString (143, 2));

    DG::Driver user (*P ().generalPage2);
    ASSERT_TRUE (user.SelectRadio (2));
    EXPECT_EQ (Title (1), AddonString (143, 3));
    P ().generalPage5->PopulateTree ();
    EXPECT_FALSE (Data::Instance ().useMarquee);
}

TEST_F (PagesTest, PageThreeIsNarrowAtItsThresholdAndWideAboveIt)
{
    Open ();
    RollDownDialogGeneralPage3& page = *P ().generalPage3;
    const Int32 threshold = std::stoi (AddonString (144, 2));
    const Int32 top = page.levelPopUp.GetRect ().top;

    ResizeTo (threshold);
    EXPECT_FALSE (page.levelLabel.IsVisible ());
    EXPECT_EQ (page.levelPopUp.GetRect (), (DG::Rect{30, top, threshold - 60, 20}));
    EXPECT_EQ (Title (2), AddonString (150, 4)) << "the bare level name";

    ResizeTo (threshold + 1);
    EXPECT_TRUE (page.levelLabel.IsVisible ());
    const DG::Rect label = page.levelLabel.GetRect ();
    const Int32 left = label.left + label.width + 10;
    EXPECT_EQ (page.levelPopUp.GetRect (), (DG::Rect{left, top, threshold + 1 - 20 - left, 20}));
    EXPECT_EQ (Title (2), AddonString (144, 1) + AddonString (150, 4));
}

TEST_F (PagesTest, ChoosingLevelsZeroToTwoRefreshesAtOnceAndKeepWaitsForTheNextRefresh)
{
    for (const char* part : {"{CHAIR}", "{TABLE}"})
        Data::Instance ().detLevValuesGuidIndex.Put (GuidStr (part), 4);   // both follow the project default
    Open ();
    ASSERT_EQ (P ().generalPage3->GetSelectedItem (), 4) << "the project stores no default: keep";
    DG::Driver user (*P ().generalPage3);
    struct Case {
        Int16 entry;
        Int32 censuses;
        Int64 total;
    };
    // Level 0 keeps the parts detailed; level 2 (Block) brings every detail part down.
    const Case cases[] = {{1, 2, TestSupport::SampleTotal},
                          {3, 3, 6 + 2 * 10 + 5 + 10 + 10},
                          {2, 4, 6 + 2 * 30 + 20 + 10 + 10},
                          {4, 4, 6 + 2 * 30 + 20 + 10 + 10}};
    for (const Case& c : cases) {
        SCOPED_TRACE (c.entry);
        ASSERT_TRUE (user.ChooseEntry (1, c.entry)) << user.GetError ();
        EXPECT_EQ (Censuses (), c.censuses);
        ASSERT_NE (RefreshData::current, nullptr);
        EXPECT_EQ (RefreshData::current->totalPolygons, c.total);
        EXPECT_EQ (Title (2), AddonString (144, 1) + AddonString (150, c.entry));
    }
    EXPECT_EQ (Data::Instance ().defaultDetLev, 1) << "keep is stored only at the next refresh";
    DG::Driver (*P ().generalPage5).Click (2);
    EXPECT_EQ (Data::Instance ().defaultDetLev, 3);
    EXPECT_EQ (P ().generalPage3->GetSelectedItem (), 4);
}

// ---- page 4 ---------------------------------------------------------------------------------

TEST_F (PagesTest, APlainClickOnARootRowsIconExpandsOrCollapsesIt)
{
    Open ();
    const Int16 roots = List ().GetItemCount ();
    const Int32 tab1End = List ().GetTabFieldEndPosition (1);
    struct Case {
        Int32 offset;
        DG::Key::Modifiers modifiers;
        bool toggles;
    };
    const Case cases[] = {
        {0, DG::Key::NoModifier, true}, {tab1End, DG::Key::NoModifier, true}, {tab1End + 1, DG::Key::NoModifier, false},
        {5, DG::Key::Command, false},   {5, DG::Key::Option, false},          {5, DG::Key::Shift, true},
    };
    DG::ListDriver user = ListUser ();
    for (const Case& c : cases) {
        SCOPED_TRACE (std::to_string (c.offset) + " with modifiers " + std::to_string (c.modifiers));
        ASSERT_EQ (List ().GetItemCount (), roots);
        ASSERT_TRUE (user.ClickRow (ListItem, ObjectRow, c.offset, c.modifiers)) << user.GetError ();
        ASSERT_EQ (List ().GetItemCount (), c.toggles ? roots + 3 : roots) << "the object type's three parts";
        if (c.toggles) {
            EXPECT_EQ (List ().GetTabItemIcon (ObjectRow, 1).GetResourceId (), 32602);
            ASSERT_TRUE (user.ClickRow (ListItem, ObjectRow, c.offset, c.modifiers));
        }
        EXPECT_EQ (List ().GetTabItemIcon (ObjectRow, 1).GetResourceId (), 32601);
    }
    ASSERT_TRUE (user.ClickRow (ListItem, 1, 5));   // the wall row has no parts: nothing to expand
    EXPECT_EQ (List ().GetItemCount (), roots);
}

TEST_F (PagesTest, ADoubleClickOpensTheChangeDialogOnlyRightOfTabThreesBegin)
{
    Open ();
    DG::ListDriver user = ListUser ();
    ASSERT_TRUE (user.ClickRow (ListItem, ObjectRow, 5));   // expand: Chair, Table, Lamp
    const Int32 begin = List ().GetTabFieldBeginPosition (3);

    ASSERT_TRUE (user.DoubleClickRow (ListItem, ObjectRow + 1, begin));
    EXPECT_EQ (answers.CountShown (ChangeLODDialog::ResourceId), 0u);
    ASSERT_TRUE (user.DoubleClickRow (ListItem, ObjectRow + 1, begin + 1, DG::Key::Command));
    ASSERT_TRUE (user.DoubleClickRow (ListItem, ObjectRow + 1, begin + 1, DG::Key::Option));
    EXPECT_EQ (answers.CountShown (ChangeLODDialog::ResourceId), 0u);
    ASSERT_TRUE (user.DoubleClickRow (ListItem, ObjectRow + 1, begin + 1));
    ASSERT_EQ (answers.CountShown (ChangeLODDialog::ResourceId), 1u);
    EXPECT_EQ (Censuses (), 1) << "a dialog closed without a level changes nothing";
}

TEST_F (PagesTest, ALowerLevelChosenInTheChangeDialogGivesFewerPolygons)
{
    Open ();
    DG::ListDriver user = ListUser ();
    ASSERT_TRUE (user.ClickRow (ListItem, ObjectRow, 5));
    answers.Queue ({DG::Answer::SelectRow (2, 3).For (ChangeLODDialog::ResourceId), DG::Answer::Click (3)});
    ASSERT_TRUE (user.DoubleClickRow (ListItem, ObjectRow + 1, 60)) << user.GetError ();   // the chair

    ASSERT_EQ (answers.CountShown (ChangeLODDialog::ResourceId), 1u);
    EXPECT_TRUE (answers.Shown ().back ().Accepted ());
    EXPECT_EQ (Censuses (), 2) << "the chosen level needs a refresh";
    const Int64 total = 6 + 2 * 10 + 50 + 10 + 10;
    ASSERT_NE (RefreshData::current, nullptr);
    EXPECT_EQ (RefreshData::current->totalPolygons, total);
    EXPECT_EQ (TotalText (), AddonString (146, 1) + std::to_string (total));
    for (Int32 index : {1, 2})   // the two chairs
        EXPECT_EQ (host.project.FindElement (6, index)->paramValues.at ("LevelOfDetail"), "Block");
    EXPECT_EQ (List ().GetTabItemIcon (ObjectRow, 1).GetResourceId (), 32602) << "the type stays expanded";
}

TEST_F (PagesTest, ARootRowAndSomeOfItsPartsGiveEachChangeablePartOnce)
{
    Open ();
    DG::ListDriver user = ListUser ();
    ASSERT_TRUE (user.ClickRow (ListItem, ObjectRow, 5));   // rows 7 Chair, 8 Table, 9 Lamp (grayed)
    ASSERT_TRUE (user.SelectRows (ListItem, {ObjectRow, ObjectRow + 1, ObjectRow + 2}));

    const std::vector<LibRow> rows = P ().generalPage4->GatherChangeRows ();
    ASSERT_EQ (rows.size (), 2u);
    EXPECT_EQ (rows[0].name.ToStd (), "Chair");
    EXPECT_EQ (rows[1].name.ToStd (), "Table");

    ASSERT_TRUE (user.SelectRows (ListItem, {ObjectRow + 3, ObjectRow + 2}));
    const std::vector<LibRow> parts = P ().generalPage4->GatherChangeRows ();
    ASSERT_EQ (parts.size (), 1u) << "a grayed part row is skipped";
    EXPECT_EQ (parts[0].name.ToStd (), "Table");

    ASSERT_TRUE (user.SelectRows (ListItem, {1, ObjectRow - 1}));
    EXPECT_TRUE (P ().generalPage4->GatherChangeRows ().empty ()) << "root rows without parts give nothing";
}

TEST_F (PagesTest, ARootRowWhosePartsHaveNoDetailParameterOpensNoDialog)
{
    Open ();
    DG::ListDriver user = ListUser ();
    ASSERT_EQ (List ().GetTabItemIcon (LampRow, 1).GetResourceId (), 32601);
    ASSERT_TRUE (user.SelectRow (ListItem, LampRow));
    DG::Driver buttons (*P ().generalPage5);
    ASSERT_TRUE (buttons.Click (3)) << buttons.GetError ();
    EXPECT_EQ (answers.CountShown (ChangeLODDialog::ResourceId), 0u);
    EXPECT_EQ (Censuses (), 1);

    ASSERT_TRUE (user.SelectRow (ListItem, ObjectRow));
    ASSERT_TRUE (buttons.Click (3));
    EXPECT_EQ (answers.CountShown (ChangeLODDialog::ResourceId), 1u) << "the change button opens it for parts";
}

// ---- page 5 ---------------------------------------------------------------------------------

TEST_F (PagesTest, TheButtonsShareThePaletteWidthInEqualGaps)
{
    Open ();
    RollDownDialogGeneralPage5& page = *P ().generalPage5;
    struct Case {
        Int32 clientWidth;
        Int32 lefts[3];
    };
    // Buttons 60, 80 and 60 wide; (195 - 200) / 4 is -1, truncated toward zero.
    const Case cases[] = {{300, {25, 110, 215}}, {195, {-1, 58, 137}}, {380, {45, 150, 275}}};
    for (const Case& c : cases) {
        SCOPED_TRACE (c.clientWidth);
        ResizeTo (c.clientWidth);
        const DG::Rect first = page.selectButton.GetRect ();
        EXPECT_EQ (first, (DG::Rect{c.lefts[0], 4, 60, 22}));
        EXPECT_EQ (page.refreshButton.GetRect (), (DG::Rect{c.lefts[1], 4, 80, 22}));
        EXPECT_EQ (page.changeButton.GetRect (), (DG::Rect{c.lefts[2], 4, 60, 22}));
        EXPECT_TRUE (page.changeButton.IsVisible ());
        EXPECT_EQ (page.totalText.GetRect ().left, c.lefts[0]);
        EXPECT_EQ (page.totalText.GetRect ().top, 30);
    }
}

TEST_F (PagesTest, RefreshStoresThePagesSettingsAndShowsTheTotal)
{
    Open ();
    EXPECT_EQ (TotalText (), AddonString (146, 1) + std::to_string (TestSupport::SampleTotal));
    host.project.FindElement (1, 1)->bodies = {1000, 234};
    DG::Driver user (*P ().generalPage5);
    ASSERT_TRUE (user.Click (2));
    EXPECT_EQ (Censuses (), 2);
    EXPECT_EQ (TotalText (), AddonString (146, 1) + "1,504") << "grouped digits";
    EXPECT_TRUE (Data::Instance ().useMarquee);
    EXPECT_TRUE (Data::Instance ().allStories);
    EXPECT_EQ (Data::Instance ().defaultDetLev, 3);
    EXPECT_TRUE (user.Click (1)) << "the palette's items are enabled again after a refresh";

    delete RefreshData::current;   // no census: the total reads 0
    RefreshData::current = nullptr;
    P ().generalPage5->setNumberOfPolygonsText ();
    EXPECT_EQ (TotalText (), AddonString (146, 1) + "0");
}

}   // namespace
