// The change-detail-level dialog: its two lists, graying by the chosen level, the rows list that
// never keeps a selection, OK writing the live table and answering whether a census must follow,
// and the ways out that leave the table alone (Cancel, the Escape hot key, OK without a level).
// Also the display names of the detail-level values.
#include "TestHost.h"

#include "dg/ListBox.h"
#include "dg/ListDriver.h"
#include "dg/RecordingAgent.h"
#include "rsrc/ResourceModules.h"
#include "store/ChangeLODDialog.h"
#include "store/Data.h"
#include "store/DisplayedDetLev.h"
#include "store/ModuleData.h"

#include <string>
#include <vector>

namespace {

using TestSupport::AddonString;

enum : Int16 { RowsList = 1, LevelsList = 2, OkButton = 3, CancelButton = 4 };

const FFFTT all (true, true, true, true, true);
const FFFTT only0 (true, false, false, true, true);
const FFFTT only01 (true, true, false, true, true);
const FFFTT only12 (false, true, true, true, true);

LibRow Row (const char* guid, Int16 detLev, const FFFTT& avail)
{
    return LibRow (GS::String (std::string ("part ") + guid), 1, 100, detLev, GuidStr (guid), avail, 0);
}

class ChangeDialogTest : public TestSupport::AddonTest {
public:
    void SetUp () override
    {
        TestSupport::AddonTest::SetUp ();
        ModuleData::Instance ().ClearReadFlag ();   // a fresh project: the live table starts empty
        previousAgent = DG::SetUserAgent (&agent);
    }
    void TearDown () override
    {
        DG::SetUserAgent (previousAgent);
        ModuleData::Instance ().ClearReadFlag ();
        TestSupport::AddonTest::TearDown ();
    }

    // The live table holds each row's level, as the size list leaves it after a census.
    void Table (const std::vector<LibRow>& rows, Int16 defaultLevel)
    {
        Data& data = Data::Instance ();
        data.detLevValuesGuidIndex.Clear ();
        for (const LibRow& row : rows)
            data.detLevValuesGuidIndex.Put (row.guid, row.detLev);
        data.defaultDetLev = defaultLevel;
    }
    static std::vector<Int16> Levels (const std::vector<LibRow>& rows)
    {
        std::vector<Int16> out;
        for (const LibRow& row : rows) {
            const Int16* v = Data::Instance ().detLevValuesGuidIndex.GetPtr (row.guid);
            out.push_back (v != nullptr ? *v : -1);
        }
        return out;
    }
    static std::vector<bool> Grayed (const ChangeLODDialog& dialog)
    {
        DG::SingleSelListBox list (dialog.GetReference (), RowsList);
        std::vector<bool> out;
        for (Int16 row = 1; row <= list.GetItemCount (); ++row)
            out.push_back (list.IsItemGrayed (row));
        return out;
    }

    DG::RecordingAgent agent;
    DG::UserAgent* previousAgent = nullptr;
};

TEST_F (ChangeDialogTest, ListsShowTheRowsAndTheFiveLevelsByName)
{
    std::vector<LibRow> rows{Row ("A", 0, all), Row ("B", 4, all), Row ("C", 5, all)};
    RSRC::SetActiveModule (0);   // the dialog finds its layout whatever module the caller has active
    ChangeLODDialog dialog (ChangeLODDialog::ResourceId, &rows);
    ASSERT_TRUE (dialog.IsValid ());

    DG::SingleSelListBox levels (dialog.GetReference (), LevelsList);
    ASSERT_EQ (levels.GetItemCount (), 5);
    for (Int16 line = 1; line <= 5; ++line)
        EXPECT_EQ (levels.GetTabItemText (line, 1).ToStd (), AddonString (150, line)) << line;

    DG::SingleSelListBox list (dialog.GetReference (), RowsList);
    ASSERT_EQ (list.GetItemCount (), 3);
    EXPECT_EQ (list.GetTabFieldCount (), 2);
    EXPECT_EQ (list.GetTabFieldEndPosition (1), 139);
    EXPECT_EQ (list.GetTabFieldBeginPosition (2), 140);
    EXPECT_EQ (list.GetTabItemText (1, 1).ToStd (), "part A");
    EXPECT_EQ (list.GetTabItemText (1, 2).ToStd (), AddonString (150, 1));
    EXPECT_EQ (list.GetTabItemText (2, 2).ToStd (), AddonString (150, 5));
    EXPECT_EQ (list.GetTabItemText (3, 2).ToStd (), AddonString (150, 4)) << "no detail parameter reads as keep";
    EXPECT_EQ (Grayed (dialog), (std::vector<bool>{false, false, false})) << "all rows start normal";
    EXPECT_EQ (rows[2].detLev, 5) << "the rows are not changed";
}

TEST_F (ChangeDialogTest, DisplayNamesCoverEveryValue)
{
    DisplayedDetLev& names = DisplayedDetLev::Instance ();
    const std::string keep = AddonString (150, 4);
    ASSERT_FALSE (keep.empty ());
    struct Case {
        Int16 value;
        std::string name;
    };
    const Case cases[] = {{0, AddonString (150, 1)},
                          {2, AddonString (150, 3)},
                          {3, keep},
                          {4, AddonString (150, 5)},
                          {5, keep},
                          {32767, keep},
                          {-1, keep},
                          {-32768, keep}};
    for (const Case& c : cases)
        EXPECT_EQ (names.GetName (c.value), c.name) << c.value;
}

TEST_F (ChangeDialogTest, ChoosingALevelGraysTheRowsThatDoNotOfferIt)
{
    std::vector<LibRow> rows{Row ("A", 0, only0), Row ("B", 1, only01), Row ("C", 2, only12)};
    struct Step {
        Int16 line;   // 0: choose nothing
        Int16 defaultLevel;
        std::vector<bool> grayed;
    };
    const Step steps[] = {
        {2, 3, {true, false, false}},    // level 1
        {4, 3, {false, false, false}},   // keep: every row comes back
        {3, 3, {true, true, false}},     // level 2
        {5, 2, {true, true, false}},     // default while the default is 2
        {5, 0, {false, false, true}},    // default while the default is 0
        {5, 3, {false, false, false}},   // default while the default is keep
        {0, 3, {false, false, false}},   // no level chosen: no row is judged
    };
    ChangeLODDialog dialog (ChangeLODDialog::ResourceId, &rows);
    DG::ListDriver driver (dialog);
    for (const Step& s : steps) {
        Data::Instance ().defaultDetLev = s.defaultLevel;
        EXPECT_TRUE (driver.SelectRows (LevelsList, {}));   // so that choosing the same line again is a change
        if (s.line != 0) {
            EXPECT_TRUE (driver.ClickRow (LevelsList, s.line, 10)) << driver.GetError ();
        }
        EXPECT_EQ (Grayed (dialog), s.grayed) << "line " << s.line << ", default " << s.defaultLevel;
    }
}

TEST_F (ChangeDialogTest, TheRowsListNeverKeepsASelection)
{
    std::vector<LibRow> rows{Row ("A", 0, only0), Row ("B", 1, all)};
    ChangeLODDialog dialog (ChangeLODDialog::ResourceId, &rows);
    DG::SingleSelListBox list (dialog.GetReference (), RowsList);
    DG::ListDriver driver (dialog);
    EXPECT_TRUE (driver.ClickRow (LevelsList, 2));
    list.SelectItem (2);   // even one selected by code goes at the next user action
    EXPECT_TRUE (driver.RequestContextMenu (RowsList, 1));
    EXPECT_EQ (list.GetSelectedItem (), 0);
    EXPECT_TRUE (driver.ClickRow (RowsList, 1, 5));
    EXPECT_EQ (list.GetSelectedItem (), 0);
    EXPECT_TRUE (driver.DoubleClickRow (RowsList, 2, 150, DG::Key::Command));
    EXPECT_EQ (list.GetSelectedItem (), 0);
    EXPECT_TRUE (driver.SelectRow (RowsList, 2));
    EXPECT_EQ (list.GetSelectedItem (), 0);
    EXPECT_EQ (Grayed (dialog), (std::vector<bool>{true, false})) << "the level's graying stays";
    EXPECT_EQ (DG::SingleSelListBox (dialog.GetReference (), LevelsList).GetSelectedItem (), 2);
}

TEST_F (ChangeDialogTest, OkWritesTheLevelAndAnswersWhetherACensusMustFollow)
{
    struct Case {
        const char* what;
        std::vector<LibRow> rows;
        Int16 defaultLevel;
        Int16 line;
        std::vector<Int16> levels;
        bool census;
    };
    const Case cases[] = {
        {"keep on rows at 0", {Row ("A", 0, all), Row ("B", 0, all)}, 3, 4, {3, 3}, false},
        {"default while the default is keep", {Row ("A", 0, all), Row ("B", 1, all)}, 3, 5, {4, 4}, false},
        {"default 1 over a row at 0", {Row ("A", 0, all), Row ("B", 4, all)}, 1, 5, {4, 4}, true},
        {"level 2 on rows at 2", {Row ("A", 2, all), Row ("B", 2, all)}, 3, 3, {2, 2}, false},
        {"level 1: a grayed row keeps its entry", {Row ("A", 0, only0), Row ("B", 0, only01)}, 3, 2, {0, 1}, true},
        {"level 1: only grayed rows", {Row ("A", 2, only0), Row ("B", 0, only0)}, 3, 2, {2, 0}, false},
        {"level 0 after the first row already differed", {Row ("A", 1, all), Row ("B", 0, all)}, 3, 1, {0, 0}, true},
    };
    for (const Case& c : cases) {
        std::vector<LibRow> rows = c.rows;
        Table (rows, c.defaultLevel);
        agent.Clear ();
        agent.Queue ({DG::Answer::SelectRow (LevelsList, c.line), DG::Answer::Click (OkButton)});
        ChangeLODDialog dialog (ChangeLODDialog::ResourceId, &rows);
        EXPECT_EQ (dialog.Invoke (), c.census) << c.what;
        EXPECT_EQ (Levels (rows), c.levels) << c.what;
        ASSERT_EQ (agent.Shown ().size (), 1u);
        EXPECT_TRUE (agent.Shown ()[0].refused.empty ()) << c.what;
        EXPECT_EQ (Data::Instance ().defaultDetLev, c.defaultLevel) << "the default is not the dialog's";
    }
}

TEST_F (ChangeDialogTest, APartMissingFromTheTableIsAddedAtTheChosenLevel)
{
    std::vector<LibRow> rows{Row ("A", 1, all), Row ("B", 0, all)};
    Table ({rows[0]}, 3);
    agent.Queue ({DG::Answer::SelectRow (LevelsList, 1), DG::Answer::Click (OkButton)});
    ChangeLODDialog dialog (ChangeLODDialog::ResourceId, &rows);
    EXPECT_TRUE (dialog.Invoke ());
    EXPECT_EQ (Levels (rows), (std::vector<Int16>{0, 0}));
}

TEST_F (ChangeDialogTest, CancelTheHotKeyAndOkWithoutALevelLeaveTheTableAlone)
{
    struct Case {
        const char* what;
        std::vector<DG::Answer> answers;
    };
    const Case cases[] = {
        {"cancel", {DG::Answer::SelectRow (LevelsList, 1), DG::Answer::Click (CancelButton)}},
        {"escape", {DG::Answer::SelectRow (LevelsList, 1), DG::Answer::HotKey (DG::Key::Escape)}},
        {"escape is key -5", {DG::Answer::SelectRow (LevelsList, 2), DG::Answer::HotKey (-5)}},
        {"ok without a level", {DG::Answer::Click (OkButton)}},
        {"nothing done", {}},
        {"close box", {DG::Answer::SelectRow (LevelsList, 1), DG::Answer::CloseBox ()}},
    };
    for (const Case& c : cases) {
        std::vector<LibRow> rows{Row ("A", 0, all), Row ("B", 2, all)};
        Table (rows, 3);
        agent.Clear ();
        for (const DG::Answer& a : c.answers)
            agent.Queue (a);
        ChangeLODDialog dialog (ChangeLODDialog::ResourceId, &rows);
        EXPECT_FALSE (dialog.Invoke ()) << c.what;
        EXPECT_EQ (Levels (rows), (std::vector<Int16>{0, 2})) << c.what;
        ASSERT_EQ (agent.Shown ().size (), 1u);
        EXPECT_TRUE (agent.Shown ()[0].refused.empty ()) << c.what << ": " << agent.Shown ()[0].refused[0];
    }

    // Only the registered key closes: with a modifier it is no hot key of the dialog.
    std::vector<LibRow> rows{Row ("A", 0, all)};
    Table (rows, 3);
    agent.Clear ();
    agent.Queue ({DG::Answer::HotKey (DG::Key::Escape, DG::Key::Command), DG::Answer::SelectRow (LevelsList, 2),
                  DG::Answer::Click (OkButton)});
    ChangeLODDialog dialog (ChangeLODDialog::ResourceId, &rows);
    EXPECT_TRUE (dialog.Invoke ());
    EXPECT_EQ (agent.Shown ()[0].refused.size (), 1u);
    EXPECT_EQ (Levels (rows), std::vector<Int16>{1});
}

TEST_F (ChangeDialogTest, NoRowsGiveAnEmptyListAndChangeNothing)
{
    Table ({}, 3);
    agent.Queue ({DG::Answer::SelectRow (LevelsList, 1), DG::Answer::Click (OkButton)});
    ChangeLODDialog none (ChangeLODDialog::ResourceId, nullptr);
    EXPECT_FALSE (none.Invoke ());
    EXPECT_EQ (Data::Instance ().detLevValuesGuidIndex.GetSize (), 0u);
    EXPECT_NE (agent.Shown ()[0].rendered.find ("(no rows)"), std::string::npos) << agent.Shown ()[0].rendered;
}

}   // namespace
