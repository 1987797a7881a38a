// List boxes of the headless dialog framework: rows and tab fields counted from 1, cells, values,
// gray state and icons per row, selection in single and multi lists, events only from user actions
// (clicks with offset and modifier keys, double clicks, selections, context menus), the driver's
// refusals, the text rendering, batched item moves and list answers of the recording agent.
#include "TestHost.h"

#include "dg/Button.h"
#include "dg/ListBox.h"
#include "dg/ListDriver.h"
#include "dg/ListRenderer.h"
#include "dg/ModalDialog.h"
#include "dg/RecordingAgent.h"
#include "dg/StaticText.h"
#include "dg/TextRenderer.h"
#include "rsrc/ResourceModules.h"

#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace {

const char* const listResources = R"json({
  "strings": {},
  "dialogs": {
    "910": {
      "title": "Lists", "width": 400, "height": 300,
      "items": [
        {"kind": "button", "rect": [300, 260, 80, 24], "text": "OK"},
        {"kind": "singlelist", "rect": [10, 10, 200, 120]},
        {"kind": "multilist", "rect": [220, 10, 170, 120]},
        {"kind": "lefttext", "rect": [10, 140, 100, 18], "text": "Name"},
        {"kind": "righttext", "rect": [120, 140, 80, 18], "text": "Count"}
      ]
    }
  },
  "icons": { "70": {"glyph": "+", "name": "collapsed"}, "71": {"glyph": "~", "name": "part"} }
})json";

enum : Int16 { OkItem = 1, SingleItem = 2, MultiItem = 3, NameText = 4, CountText = 5 };

// Every list event as a line: "click 2 @30 cmd", "double 1 @0", "selection", "menu 3".
class ListLog : public DG::ListBoxObserver {
public:
    void ListBoxSelectionChanged (const DG::ListBoxSelectionEvent& ev) override
    {
        Add ("selection", ev.GetSource ());
        if (onSelection)
            onSelection ();
    }
    void ListBoxClicked (const DG::ListBoxClickEvent& ev) override { Add ("click " + Mouse (ev), ev.GetSource ()); }
    void ListBoxDoubleClicked (const DG::ListBoxDoubleClickEvent& ev) override
    {
        Add ("double " + Mouse (ev), ev.GetSource ());
    }
    void ListBoxContextMenuRequested (const DG::ListBoxContextMenuEvent& ev) override
    {
        Add ("menu " + std::to_string (ev.GetListItem ()), ev.GetSource ());
    }

    std::vector<std::string> lines;
    std::vector<DG::ListBox*> sources;
    std::function<void ()> onSelection;

private:
    static std::string Mouse (const DG::ListBoxMouseEvent& ev)
    {
        return std::to_string (ev.GetListItem ()) + " @" + std::to_string (ev.GetMouseOffset ()) +
               (ev.GetCommandKeyState () ? " cmd" : "") + (ev.GetOptionKeyState () ? " opt" : "");
    }
    void Add (const std::string& line, DG::ListBox* source)
    {
        lines.push_back (line);
        sources.push_back (source);
    }
};

class ListTest : public ::testing::Test {
protected:
    void SetUp () override
    {
        const std::string path = ::testing::TempDir () + "dg_list_test.rsrc";
        std::ofstream (path) << listResources;
        std::string error;
        module = RSRC::OpenModule (path, &error);
        ASSERT_NE (module, 0) << error;
        previous = RSRC::SetActiveModule (module);
        DG::SetUserAgent (nullptr);
    }
    void TearDown () override
    {
        DG::SetUserAgent (nullptr);
        RSRC::SetActiveModule (previous);
        RSRC::CloseModule (module);
    }

    // `count` rows whose tab 1 text and value are their number.
    static void Fill (DG::ListBox& list, Int16 count)
    {
        for (Int16 row = 1; row <= count; ++row) {
            list.AppendItem ();
            list.SetTabItemText (row, 1, std::to_string (row));
            list.SetItemValue (row, row);
        }
    }
    static std::vector<std::string> Texts (const DG::ListBox& list)
    {
        std::vector<std::string> out;
        for (Int16 row = 1; row <= list.GetItemCount (); ++row)
            out.push_back (list.GetTabItemText (row, 1).ToStd ());
        return out;
    }
    static std::vector<Int16> Selected (const DG::ListBox& list)
    {
        std::vector<Int16> out;
        for (Int16 row = 1; row <= list.GetItemCount (); ++row)
            if (list.IsItemSelected (row))
                out.push_back (row);
        return out;
    }

    GSResModule module = 0, previous = 0;
};

using Lines = std::vector<std::string>;

TEST_F (ListTest, RowsCountFromOneAndKeepTheirCellsWhenOthersComeAndGo)
{
    DG::ModalDialog dialog (910);
    DG::SingleSelListBox list (dialog.GetReference (), SingleItem);
    EXPECT_EQ (list.GetItemCount (), 0);
    EXPECT_EQ (list.GetItemWidth (), 200 - 16) << "the item width leaves out the scroll bar";
    EXPECT_EQ (list.GetTabFieldCount (), 1);
    EXPECT_EQ (list.GetTabFieldBeginPosition (1), 0);
    EXPECT_EQ (list.GetTabFieldEndPosition (1), 184) << "a new list has one tab field across its width";

    Fill (list, 3);
    list.InsertItem (2);
    list.SetTabItemText (2, 1, "new");
    list.InsertItem (5);   // count + 1 appends
    list.InsertItem (7);   // beyond: nothing
    list.InsertItem (0);
    EXPECT_EQ (Texts (list), (Lines{"1", "new", "2", "3", ""}));
    EXPECT_EQ (list.GetItemValue (3), 2) << "values move with their rows";
    EXPECT_EQ (list.GetItemValue (2), 0);

    // Out of range: nothing happens, neutral answers.
    list.SetTabItemText (0, 1, "x");
    list.SetTabItemText (6, 1, "x");
    list.SetTabItemText (1, 2, "x");
    list.SetItemValue (9, 9);
    list.GrayItem (-1);
    EXPECT_EQ (list.GetTabItemText (1, 0).ToStd (), "");
    EXPECT_EQ (list.GetTabItemText (9, 1).ToStd (), "");
    EXPECT_EQ (list.GetItemValue (0), 0);
    EXPECT_EQ (Texts (list), (Lines{"1", "new", "2", "3", ""}));

    list.SetScrollPosition (5);
    list.DeleteItem (2);
    list.DeleteItem (9);
    EXPECT_EQ (Texts (list), (Lines{"1", "2", "3", ""}));
    EXPECT_EQ (list.GetScrollPosition (), 4) << "the top row stays within the rows";
    list.SetScrollPosition (99);
    EXPECT_EQ (list.GetScrollPosition (), 4);
    list.DeleteItem (0);
    EXPECT_EQ (list.GetItemCount (), 0) << "row 0 deletes them all";
    EXPECT_EQ (list.GetScrollPosition (), 1);

    // A list object on an item that is no list, or on a destroyed panel, does nothing.
    DG::SingleSelListBox notAList (dialog.GetReference (), NameText);
    notAList.AppendItem ();
    EXPECT_EQ (notAList.GetItemCount (), 0);
    EXPECT_EQ (notAList.GetItemWidth (), 0);
    auto gone = std::make_unique<DG::ModalDialog> (910);
    DG::MultiSelListBox orphan (gone->GetReference (), MultiItem);
    gone.reset ();
    orphan.AppendItem ();
    EXPECT_EQ (orphan.GetItemCount (), 0);
}

TEST_F (ListTest, TabFieldsGrayStateAndIconsBelongToEachRow)
{
    DG::ModalDialog dialog (910);
    DG::MultiSelListBox list (dialog.GetReference (), MultiItem);
    Fill (list, 2);
    list.SetTabFieldCount (3);
    list.SetTabFieldProperties (2, 20, 90, DG::ListBox::Right, DG::ListBox::EndTruncate);
    list.SetTabFieldBeginEndPosition (3, 91, 150);
    list.SetTabFieldTruncation (3, DG::ListBox::MiddleTruncate);
    EXPECT_EQ (list.GetTabFieldJustification (2), DG::ListBox::Right);
    EXPECT_EQ (list.GetTabFieldJustification (2), 512);
    EXPECT_EQ (list.GetTabFieldTruncation (2), 4096);
    EXPECT_EQ (list.GetTabFieldTruncation (3), 8192);
    EXPECT_EQ (list.GetTabFieldBeginPosition (3), 91);
    EXPECT_EQ (list.GetTabFieldEndPosition (3), 150);
    EXPECT_EQ (list.GetTabItemText (1, 1).ToStd (), "1") << "more tab fields keep the cells there were";

    const DG::Icon collapsed (70);
    EXPECT_EQ (collapsed.GetResourceId (), 70);
    EXPECT_EQ (collapsed.GetGlyph (), "+");
    EXPECT_EQ (DG::Icon (4711).GetResourceId (), -1) << "an icon the module lacks is no icon";
    EXPECT_EQ (DG::Icon ().GetResourceId (), -1);
    list.SetTabItemIcon (1, 1, collapsed);
    list.SetTabItemIcon (2, 2, DG::Icon (71));
    EXPECT_EQ (list.GetTabItemIcon (1, 1).GetResourceId (), 70);
    EXPECT_EQ (list.GetTabItemIcon (1, 2).GetResourceId (), -1);
    EXPECT_EQ (list.GetTabItemIcon (2, 1).GetResourceId (), -1);
    EXPECT_EQ (list.GetTabItemIcon (2, 2).GetResourceId (), 71);
    EXPECT_EQ (list.GetTabItemIcon (3, 1).GetResourceId (), -1);

    list.GrayItem (2);
    DG::MultiSelListBox again (dialog.GetReference (), MultiItem);
    EXPECT_FALSE (again.IsItemGrayed (1));
    EXPECT_TRUE (again.IsItemGrayed (2)) << "two objects on one list agree";
    again.NormalItem (2);
    EXPECT_FALSE (list.IsItemGrayed (2));

    list.InsertItem (1);
    EXPECT_EQ (list.GetTabItemIcon (2, 1).GetResourceId (), 70) << "icons move with their rows";
    list.SetTabFieldCount (1);
    EXPECT_EQ (list.GetTabItemIcon (3, 2).GetResourceId (), -1) << "dropped tab fields drop their cells";
    EXPECT_EQ (list.GetTabItemText (3, 1).ToStd (), "2");
}

TEST_F (ListTest, SelectionByCodeFollowsTheKindOfListAndRaisesNothing)
{
    DG::ModalDialog dialog (910);
    DG::SingleSelListBox single (dialog.GetReference (), SingleItem);
    DG::MultiSelListBox multi (dialog.GetReference (), MultiItem);
    ListLog log;
    single.Attach (log);
    multi.Attach (log);
    Fill (single, 4);
    Fill (multi, 4);

    single.SelectItem (2);
    single.SelectItem (3);
    EXPECT_EQ (Selected (single), std::vector<Int16>{3}) << "one row at most";
    EXPECT_EQ (single.GetSelectedItem (), 3);
    multi.SelectItem (4);
    multi.SelectItem (2);
    multi.SelectItem (7);
    EXPECT_EQ (multi.GetSelectedItems (), (GS::Array<Int16>{2, 4}));
    EXPECT_EQ (multi.GetSelectedItem (), 2);
    EXPECT_EQ (multi.GetSelectedCount (), 2);
    multi.DeleteItem (2);
    EXPECT_EQ (multi.GetSelectedItems (), GS::Array<Int16>{3}) << "the selection follows its rows";
    multi.DeselectItem (3);
    single.DeselectItem (0);
    EXPECT_EQ (multi.GetSelectedItem (), 0);
    EXPECT_EQ (single.GetSelectedItem (), 0);

    single.SetTabItemText (1, 1, "changed");
    single.SetItemValue (1, 9);
    single.GrayItem (1);
    single.SetScrollPosition (2);
    single.DeleteItem (0);
    EXPECT_TRUE (log.lines.empty ()) << log.lines.front ();
}

TEST_F (ListTest, ClicksSelectThenReportRowOffsetAndKeys)
{
    struct Case {
        Int16 item;
        std::vector<Int16> before;
        Int16 row;
        Int32 offset;
        DG::Key::Modifiers keys;
        bool twice;
        std::vector<Int16> after;
        Lines events;
    };
    const DG::Key::Modifiers cmd = DG::Key::Command, opt = DG::Key::Option;
    const Case cases[] = {
        {SingleItem, {}, 2, 30, 0, false, {2}, {"click 2 @30", "selection"}},
        {SingleItem, {2}, 2, 0, 0, false, {2}, {"click 2 @0"}},   // already selected: no change
        {SingleItem, {1}, 3, 183, cmd | opt, false, {3}, {"click 3 @183 cmd opt", "selection"}},
        {MultiItem, {1, 3}, 2, 5, 0, false, {2}, {"click 2 @5", "selection"}},
        {MultiItem, {1, 3}, 2, 5, cmd, false, {1, 2, 3}, {"click 2 @5 cmd", "selection"}},
        {MultiItem, {1, 3}, 3, 5, cmd, false, {1}, {"click 3 @5 cmd", "selection"}},
        {MultiItem, {1}, 1, 5, opt, false, {1}, {"click 1 @5 opt"}},
        {SingleItem, {}, 1, 140, 0, true, {1}, {"click 1 @140", "selection", "double 1 @140"}},
        {MultiItem, {1}, 1, 9, opt, true, {1}, {"click 1 @9 opt", "double 1 @9 opt"}},
    };
    for (const Case& c : cases) {
        DG::ModalDialog dialog (910);
        DG::SingleSelListBox single (dialog.GetReference (), SingleItem);
        DG::MultiSelListBox multi (dialog.GetReference (), MultiItem);
        DG::ListBox& list = c.item == SingleItem ? static_cast<DG::ListBox&> (single) : multi;
        Fill (list, 3);
        list.GrayItem (c.row);   // gray rows are clicked like any other
        for (Int16 row : c.before)
            list.SelectItem (row);
        ListLog log;
        list.Attach (log);

        DG::ListDriver driver (dialog);
        const bool done = c.twice ? driver.DoubleClickRow (c.item, c.row, c.offset, c.keys)
                                  : driver.ClickRow (c.item, c.row, c.offset, c.keys);
        EXPECT_TRUE (done) << driver.GetError ();
        EXPECT_EQ (Selected (list), c.after) << c.row;
        EXPECT_EQ (log.lines, c.events) << c.row;
        for (DG::ListBox* source : log.sources)
            EXPECT_EQ (source, &list);
    }
}

TEST_F (ListTest, UserSelectionsAndContextMenus)
{
    DG::ModalDialog dialog (910);
    DG::SingleSelListBox single (dialog.GetReference (), SingleItem);
    DG::MultiSelListBox multi (dialog.GetReference (), MultiItem);
    Fill (single, 3);
    Fill (multi, 3);
    ListLog log;
    single.Attach (log);
    multi.Attach (log);
    DG::ListDriver driver (dialog);

    EXPECT_TRUE (driver.SelectRows (MultiItem, {3, 1}));
    EXPECT_TRUE (driver.SelectRows (MultiItem, {1, 3}));   // the same rows: no event
    EXPECT_EQ (multi.GetSelectedItems (), (GS::Array<Int16>{1, 3}));
    EXPECT_TRUE (driver.RequestContextMenu (MultiItem, 2));
    EXPECT_EQ (multi.GetSelectedItems (), (GS::Array<Int16>{1, 3})) << "a context menu keeps the selection";
    EXPECT_TRUE (driver.SelectRow (SingleItem, 2));
    EXPECT_TRUE (driver.SelectRows (SingleItem, {}));
    EXPECT_EQ (single.GetSelectedItem (), 0);
    EXPECT_EQ (log.lines, (Lines{"selection", "menu 2", "selection", "selection"}));

    // A handler may change the selection while the click's events go out; the click still reports.
    log.lines.clear ();
    log.onSelection = [&] { single.DeselectItem (0); };
    EXPECT_TRUE (driver.ClickRow (SingleItem, 3, 1));
    EXPECT_EQ (single.GetSelectedItem (), 0);
    EXPECT_EQ (log.lines, (Lines{"click 3 @1", "selection"}));
}

TEST_F (ListTest, DriverRefusesWhatAUserCannotDoAndChangesNothing)
{
    DG::ModalDialog dialog (910);
    DG::SingleSelListBox single (dialog.GetReference (), SingleItem);
    DG::MultiSelListBox multi (dialog.GetReference (), MultiItem);
    Fill (single, 2);
    Fill (multi, 2);
    ListLog log;
    single.Attach (log);
    multi.Attach (log);
    DG::ListDriver driver (dialog);
    struct Case {
        std::function<bool ()> act;
        const char* why;
    };
    const Case cases[] = {
        {[&] { return driver.ClickRow (SingleItem, 0); }, "no row 0"},
        {[&] { return driver.ClickRow (SingleItem, 3); }, "no row 3"},
        {[&] { return driver.DoubleClickRow (MultiItem, -1); }, "no row -1"},
        {[&] { return driver.ClickRow (SingleItem, 1, -1); }, "at offset -1"},
        {[&] { return driver.ClickRow (SingleItem, 1, 200); }, "it is 200 wide"},
        {[&] {
             return driver.SelectRows (SingleItem, {1, 2});
         },
         "it takes one"},
        {[&] {
             return driver.SelectRows (MultiItem, {1, 5});
         },
         "no row 5"},
        {[&] { return driver.RequestContextMenu (MultiItem, 4); }, "no row 4"},
        {[&] { return driver.ClickRow (OkItem, 1); }, "not a list"},
        {[&] { return driver.ClickRow (42, 1); }, "no such item"},
        {[&] {
             multi.Hide ();
             const bool done = driver.ClickRow (MultiItem, 1);
             multi.Show ();
             return done;
         },
         "hidden"},
        {[&] {
             single.Disable ();
             const bool done = driver.SelectRow (SingleItem, 1);
             single.Enable ();
             return done;
         },
         "disabled"},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE (c.act ()) << c.why;
        EXPECT_NE (driver.GetError ().find (c.why), std::string::npos) << driver.GetError ();
    }
    EXPECT_TRUE (log.lines.empty ());
    EXPECT_EQ (single.GetSelectedItem (), 0);
    EXPECT_EQ (multi.GetSelectedItem (), 0);

    DG::ListDriver stale (0);
    EXPECT_FALSE (stale.ClickRow (SingleItem, 1));
    EXPECT_NE (stale.GetError ().find ("not open"), std::string::npos);
}

TEST_F (ListTest, RendererShowsColumnsIconsGrayAndSelectedRows)
{
    DG::ModalDialog dialog (910);
    DG::MultiSelListBox list (dialog.GetReference (), MultiItem);
    EXPECT_EQ (DG::RenderList (list), "(no rows)");
    list.SetTabFieldCount (4);
    list.SetTabFieldBeginEndPosition (1, 0, 14);   // column 0, 2 characters
    list.SetTabFieldProperties (2, 21, 91, DG::ListBox::DefaultJust, DG::ListBox::EndTruncate);   // 3, 10 wide
    list.SetTabFieldProperties (3, 98, 140, DG::ListBox::Right, DG::ListBox::NoTruncate);         // 14, 6 wide
    // tab 4 keeps 0..0: not shown
    for (int i = 0; i < 3; ++i)
        list.AppendItem ();
    list.SetTabItemIcon (1, 1, DG::Icon (70));
    list.SetTabItemText (1, 2, "Walls");
    list.SetTabItemText (1, 3, "1,234");
    list.SetTabItemText (1, 4, "hidden");
    list.SetTabItemText (2, 2, "Türen und Fenster");
    list.SetTabItemText (2, 3, "12");
    list.SetTabItemIcon (3, 2, DG::Icon (71));
    list.SetTabItemText (3, 2, "Lamp");
    list.GrayItem (2);
    list.SelectItem (1);

    EXPECT_EQ (DG::RenderList (list), ">1  +  Walls       1,234\n"
                                      " 2     Türen und…     12  (gray)\n"
                                      " 3     ~ Lamp");
    list.SetTabFieldTruncation (2, DG::ListBox::MiddleTruncate);
    list.SetTabFieldJustification (3, DG::ListBox::Center);
    EXPECT_EQ (DG::RenderList (list), ">1  +  Walls      1,234\n"
                                      " 2     Türen…ster   12  (gray)\n"
                                      " 3     ~ Lamp");

    // In the dialog's rendering each list keeps lines of its own.
    DG::SingleSelListBox other (dialog.GetReference (), SingleItem);
    list.Disable ();
    const std::string panel = DG::RenderPanel (dialog);
    EXPECT_EQ (panel, "== Lists ==\n"
                      "(no rows)\n"
                      ">1  +  Walls      1,234\n"
                      " 2     Türen…ster   12  (gray)\n"
                      " 3     ~ Lamp (dimmed)\n"
                      "Name  Count\n"
                      "[OK]\n");
}

TEST_F (ListTest, ItemMovesInABatchChangeRectanglesAtOnceAndCountOneBatch)
{
    DG::ModalDialog dialog (910);
    DG::SingleSelListBox list (dialog.GetReference (), SingleItem);
    DG::RightText count (dialog.GetReference (), CountText);
    EXPECT_EQ (dialog.GetMoveResizeBatchCount (), 0);

    dialog.BeginMoveResizeItems ();
    EXPECT_TRUE (dialog.IsMovingResizingItems ());
    list.SetRect (DG::Rect{10, 10, 300, 200});
    EXPECT_EQ (list.GetItemWidth (), 284) << "the new width holds inside the batch";
    count.Move (5, -3);
    EXPECT_EQ (count.GetRect (), (DG::Rect{125, 137, 80, 18}));
    dialog.BeginMoveResizeItems ();   // nested: still one batch
    count.SetPosition (0, 0);
    count.SetWidth (40);
    count.SetHeight (20);
    dialog.EndMoveResizeItems ();
    EXPECT_EQ (dialog.GetMoveResizeBatchCount (), 0);
    dialog.EndMoveResizeItems ();
    EXPECT_FALSE (dialog.IsMovingResizingItems ());
    EXPECT_EQ (dialog.GetMoveResizeBatchCount (), 1);
    EXPECT_EQ (count.GetRect (), (DG::Rect{0, 0, 40, 20}));

    dialog.EndMoveResizeItems ();   // without a Begin: nothing
    EXPECT_EQ (dialog.GetMoveResizeBatchCount (), 1);
    dialog.BeginMoveResizeItems ();
    dialog.EndMoveResizeItems ();
    EXPECT_EQ (dialog.GetMoveResizeBatchCount (), 2);
}

// Closes with Accept on OK when a row of the single list is selected, Cancel otherwise.
class PickDialog : public DG::ModalDialog, public DG::ButtonItemObserver {
public:
    PickDialog () : DG::ModalDialog (910), ok (GetReference (), OkItem), list (GetReference (), SingleItem)
    {
        for (int i = 0; i < 3; ++i)
            list.AppendItem ();
        ok.Attach (*this);
    }
    void ButtonClicked (const DG::ButtonClickEvent&) override
    {
        picked = list.GetSelectedItem ();
        PostCloseRequest (picked != 0 ? DG::Accept : DG::Cancel);
    }

    DG::Button ok;
    DG::SingleSelListBox list;
    Int16 picked = 0;
};

TEST_F (ListTest, RecordingAgentAnswersListActionsInsideModalDialogs)
{
    struct Case {
        std::vector<DG::Answer> answers;
        Int16 picked;
        size_t refused;
    };
    const Case cases[] = {
        {{DG::Answer::SelectRow (SingleItem, 2), DG::Answer::Click (OkItem)}, 2, 0},
        {{DG::Answer::ClickRow (SingleItem, 3, 20, DG::Key::Option)}, 3, 0},   // then item 1: OK
        {{DG::Answer::DoubleClickRow (SingleItem, 1), DG::Answer::ContextMenu (SingleItem, 2)}, 1, 0},
        {{DG::Answer::SelectRow (SingleItem, 2), DG::Answer::SelectRow (SingleItem, 0)}, 0, 0},
        {{DG::Answer::SelectRow (SingleItem, 9), DG::Answer::SelectRow (OkItem, 1)}, 0, 2},
    };
    for (const Case& c : cases) {
        DG::RecordingAgent agent;
        DG::ScopedUserAgent use (agent);
        for (const DG::Answer& a : c.answers)
            agent.Queue (a);
        PickDialog dialog;
        EXPECT_EQ (dialog.Invoke (), c.picked != 0);
        EXPECT_EQ (dialog.picked, c.picked);
        ASSERT_EQ (agent.Shown ().size (), 1u);
        EXPECT_EQ (agent.Shown ()[0].refused.size (), c.refused);
        if (c.refused > 0) {
            EXPECT_NE (agent.Shown ()[0].refused[0].find ("no row 9"), std::string::npos);
        }
    }
}

}   // namespace
