// The host program's session: the script parser's messages and accepted forms, and the runner on
// host-level actions (events by mask, open, close, save, merge, menu, palette messages, undo,
// cancel, modal answers) with the add-on bound in process. Handlers are installed through the
// host's table, as any add-on installs them.
#include "TestHost.h"

#include "dg/Palette.h"
#include "dg/PanelObserver.h"
#include "dg/PanelState.h"
#include "dg/TabControl.h"
#include "dg/TabPage.h"
#include "dg/TextRenderer.h"
#include "gs/MemoryHandle.h"
#include "host/ResourceModuleLock.h"
#include "hostsim/ProjectFile.h"
#include "hostsim/SessionScript.h"
#include "store/Dlg_ErrorMessage.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>
#include <vector>

namespace {

using HostSim::Outcome;
using HostSim::ScriptAction;
using HostSim::SessionScript;

// ---- the parser -------------------------------------------------------------------------

TEST (SessionScriptParser, BadLinesNameFileLineAndWhatWasExpected)
{
    struct Case {
        const char* text;
        const char* message;   // the whole message after "s.txt:"
    };
    const Case cases[] = {
        {"clik 1 2", "1: unknown action 'clik'; expected one of menu, click,"},
        {"menu\n\n  # note\nclick 32514", "4: click: expected an item number (1 to 32767), found the end of the line"},
        {"click 0 2", "1: click: expected a dialog number (1 to 32767), found '0'"},
        {"click 32768 2", "1: click: expected a dialog number (1 to 32767), found '32768'"},
        {"click 32514 2x", "1: click: expected an item number (1 to 32767), found '2x'"},
        {"edit 32510 3 99999999999", "1: edit: expected a value (-2147483648 to 2147483647), found '99999999999'"},
        {"edit 32510 3 -", "1: edit: expected a value"},
        {"menu now", "1: menu: expected the end of the line, found 'now'"},
        {"print everything",
         "1: print: expected what to print (report, palette, selection, module-data, dialogs, host-calls, menu), found 'everything'"},
        {"print", "1: print: expected what to print (report, palette, selection, module-data, dialogs, host-calls, menu), found the end "
                  "of the line"},
        {"list-click 32513 6 1 5 command command", "1: list-click: expected a modifier key not named before"},
        {"double-click 32513 6 1",
         "1: double-click: expected a horizontal offset in pixels (0 to 32767), found the end of the line"},
        {"select-rows 32513 6", "1: select-rows: expected a row number (1 to 32767), found the end of the line"},
        {"answer frobnicate", "1: answer: expected an answer (click, check, uncheck, select, list-click, double-click, "
                              "hotkey, close-box, done), found 'frobnicate'"},
        {"answer hotkey f1", "1: answer: expected a key (enter, tab, back, delete, escape, up, down, left, right or "
                             "one character), found 'f1'"},
        {"answer 0 click 1", "1: answer: expected a dialog number (1 to 32767), found '0'"},
        {"answer select 2", "1: answer: expected a row number (1 to 32767), found the end of the line"},
        {"open", "1: open: expected a project file, found the end of the line"},
        {"event 0", "1: event: expected a project event number (1 to 2147483647), found '0'"},
        {"cancel-at-poll -1", "1: cancel-at-poll: expected a poll number (1 to 2147483647), found '-1'"},
        {"resize 32510 -5 10", "1: resize: expected a width in pixels (1 to 32767), found '-5'"},
        {"resize window 5 5", "1: resize: expected a dialog number (1 to 32767) or palette, found 'window'"},
        {"close-box palette now", "1: close-box: expected the end of the line, found 'now'"},
        {"popup 32512 2 0", "1: popup: expected a pop-up entry (1 to 32767), found '0'"},
        {"check 128", "1: check: expected an item number (1 to 32767), found the end of the line"},
        {"fail GDAT", "1: fail: expected an error code (a nonzero whole number, or 0x and 1 to 8 hex digits), found "
                      "the end of the line"},
        {"fail GDAT 0x123456789", "1: fail: expected an error code"},
        {"fail GDAT 0xZZ", "1: fail: expected an error code"},
        {"fail GDAT 0", "1: fail: expected an error code"},
        {"fail GDAT -5 0", "1: fail: expected the first failing call (1 to 2147483647), found '0'"},
        {"fail GDAT -5 1 2 3", "1: fail: expected the end of the line, found '3'"},
    };
    for (const Case& c : cases) {
        SessionScript script;
        std::string error;
        EXPECT_FALSE (HostSim::ParseSessionScript ("s.txt", c.text, &script, &error)) << c.text;
        EXPECT_EQ (error.rfind (std::string ("s.txt:") + c.message, 0), 0u) << c.text << "\n  got: " << error;
    }
}

TEST (SessionScriptParser, ZeroByteIsAnErrorNotAnEnd)
{
    SessionScript script;
    std::string error;
    EXPECT_FALSE (HostSim::ParseSessionScript ("z.txt", std::string ("menu\nundo\0 menu\n", 16), &script, &error));
    EXPECT_EQ (error, "z.txt:2: a zero byte; expected text");
}

TEST (SessionScriptParser, CommentsBlanksTabsAndLineEndsAreReadAsAUserWroteThem)
{
    const std::string text = "# a session\r\n"
                             "\r\n"
                             "menu   # first click\r\n"
                             "\tlist-click 32513 6 2 140 option command\n"
                             "edit 32510 3 -1\n"
                             "check 128 5\n"
                             "answer 32402 select 2 3\n"
                             "answer hotkey\n"
                             "select-rows 32513 6 1 4\n"
                             "close-box\n"
                             "resize palette 300 420\n"
                             "open other.json";
    SessionScript script;
    std::string error;
    ASSERT_TRUE (HostSim::ParseSessionScript ("s.txt", text, &script, &error)) << error;
    ASSERT_EQ (script.steps.size (), 10u);

    EXPECT_EQ (script.steps[0].action, ScriptAction::Menu);
    EXPECT_EQ (script.steps[0].line, 3);
    const auto& click = script.steps[1];
    EXPECT_EQ (click.action, ScriptAction::ListClick);
    EXPECT_EQ (click.line, 4);
    EXPECT_EQ (click.text, "list-click 32513 6 2 140 option command");
    EXPECT_EQ (click.panel, 32513);
    EXPECT_EQ (click.item, 6);
    EXPECT_EQ (click.row, 2);
    EXPECT_EQ (click.number, 140);
    EXPECT_EQ (click.modifiers, DG::Key::Command | DG::Key::Option);
    EXPECT_EQ (script.steps[2].number, -1);

    const auto& check = script.steps[3];
    EXPECT_EQ (check.action, ScriptAction::Answer);
    EXPECT_EQ (check.answer.action, DG::Answer::Action::Check);
    EXPECT_EQ (check.answer.item, 5);
    EXPECT_EQ (check.answer.resourceId, 128);
    const auto& select = script.steps[4].answer;
    EXPECT_EQ (select.action, DG::Answer::Action::SelectRow);
    EXPECT_EQ (select.item, 2);
    EXPECT_EQ (select.row, 3);
    EXPECT_EQ (select.resourceId, 32402);
    EXPECT_EQ (script.steps[5].answer.action, DG::Answer::Action::Key);
    EXPECT_EQ (script.steps[5].answer.key, DG::Key::Escape);
    EXPECT_EQ (script.steps[6].rows, (std::vector<Int16>{1, 4}));
    EXPECT_EQ (script.steps[7].panel, 0) << "close-box without a dialog: the palette";
    EXPECT_EQ (script.steps[8].action, ScriptAction::Resize);
    EXPECT_EQ (script.steps[8].panel, 0) << "the palette";
    EXPECT_EQ (script.steps[8].number, 300);
    EXPECT_EQ (script.steps[8].height, 420);
    EXPECT_EQ (script.steps[9].path, "other.json");
}

TEST (SessionScriptParser, UnreadableFileNamesTheFile)
{
    SessionScript script;
    std::string error;
    EXPECT_FALSE (HostSim::LoadSessionScript ("/nonexistent/s.txt", &script, &error));
    EXPECT_EQ (error.rfind ("/nonexistent/s.txt: cannot read the session script", 0), 0u) << error;
}

// ---- the runner -------------------------------------------------------------------------

// What the handlers below saw; cleared by each test.
std::vector<Int32> events;
std::vector<API_MenuParams> menuCalls;
std::vector<std::pair<Int32, Int32>> paletteMessages;
API_Client currentClient = nullptr;
const API_HostTable* currentTable = nullptr;

GSErrCode RecordEvent (API_NotifyEventID event, Int32)
{
    events.push_back (event);
    return NoError;
}

// Stores "saved" as the add-on's block before every store, as an add-on writing its settings.
GSErrCode StoreBeforeSave (API_NotifyEventID event, Int32)
{
    events.push_back (event);
    if (event == 8) {
        API_ModulData record{};
        record.dataVersion = 7;
        record.dataHdl = BMAllocateHandle (5);
        std::memcpy (*record.dataHdl, "saved", 5);
        currentTable->modulDataStore (currentClient, &record);
        BMKillHandle (&record.dataHdl);
    }
    return NoError;
}

GSErrCode RecordMenu (const API_MenuParams* params)
{
    menuCalls.push_back (*params);
    return NoError;
}

GSErrCode RecordPaletteMessage (Int32 reference, API_PaletteMessageID message)
{
    paletteMessages.emplace_back (reference, message);
    return NoError;
}

// Concatenates the first and second blocks into the destination.
GSErrCode ConcatenateBlocks (API_MDSetCmd command, const API_ModulData* first, const API_ModulData* second,
                             API_ModulData* destination)
{
    if (command != APIMDSetMerge)
        return NoError;
    const USize a = BMGetHandleSize (first->dataHdl), b = BMGetHandleSize (second->dataHdl);
    destination->dataHdl = BMAllocateHandle (a + b);
    std::memcpy (*destination->dataHdl, *first->dataHdl, a);
    std::memcpy (*destination->dataHdl + a, *second->dataHdl, b);
    return NoError;
}

// Shows the error dialog in its numbered form with the check box, as an add-on's command would.
GSErrCode ShowErrorDialog (const API_MenuParams*)
{
    Dlg_ErrorMessage dialog (134, true);
    events.push_back (dialog.Invoke () ? 1 : 0);
    return NoError;
}

GSErrCode ShowErrorDialogWithoutBox (const API_MenuParams*)
{
    Dlg_ErrorMessage dialog (130, false);
    dialog.Invoke ();
    return NoError;
}

class SessionTest : public TestSupport::AddonTest {
public:
    void SetUp () override
    {
        AddonTest::SetUp ();
        events.clear ();
        menuCalls.clear ();
        paletteMessages.clear ();
        currentClient = client;
        currentTable = &host.Table ();
        dir = ::testing::TempDir () + "session_" + ::testing::UnitTest::GetInstance ()->current_test_info ()->name ();
        std::remove ((dir + "/a.json").c_str ());
        std::remove ((dir + "/b.json").c_str ());
        std::system (("mkdir -p '" + dir + "'").c_str ());
    }

    std::string Write (const std::string& name, const std::string& text)
    {
        const std::string path = dir + "/" + name;
        std::ofstream (path, std::ios::binary) << text;
        return path;
    }

    static std::string Read (const std::string& path)
    {
        std::ifstream file (path, std::ios::binary);
        std::ostringstream text;
        text << file.rdbuf ();
        return text.str ();
    }

    // Parses and runs `text` as a script that lies in the test's folder.
    Outcome Run (HostSim::Session& session, const std::string& text)
    {
        SessionScript script;
        std::string error;
        EXPECT_TRUE (HostSim::ParseSessionScript ("s.txt", text, &script, &error)) << error;
        script.directory = dir;
        return HostSim::RunSessionScript (session, script);
    }

    void CatchEvents (Int32 mask, APIProjectEventHandlerProc handler = &RecordEvent)
    {
        ASSERT_EQ (host.Table ().notifyCatchProjectEvent (client, mask, handler), NoError);
    }

    std::string dir;
    std::ostringstream out;
};

TEST_F (SessionTest, EventsReachOnlyAHandlerWhoseMaskHoldsTheirBit)
{
    HostSim::Session session (host, *client, out);
    CatchEvents (8 | 32 | 256);
    ASSERT_TRUE (Run (session, "event 1\nevent 8\nevent 16\nevent 32\nevent 64\nevent 256\nevent 4\n").IsOk ());
    EXPECT_EQ (events, (std::vector<Int32>{8, 32, 256}));

    events.clear ();
    ASSERT_EQ (host.Table ().notifyCatchProjectEvent (client, 0xFF, nullptr), NoError);
    ASSERT_TRUE (Run (session, "event 8\nevent 32\n").IsOk ());
    EXPECT_TRUE (events.empty ()) << "a mask without a handler catches nothing";
}

TEST_F (SessionTest, OpenClosesTheCurrentProjectFirstAndABadFileChangesNothing)
{
    HostSim::Session session (host, *client, out);
    const std::string first = Write ("a.json", R"({ "version": 1, "stories": [{ "index": 0, "name": "A" }] })");
    Write ("b.json", R"({ "version": 1, "stories": [{ "index": 0, "name": "B" }] })");
    const std::string bad = Write ("bad.json", R"({ "version": 1, "stories": 3 })");
    ASSERT_TRUE (session.Open (first).IsOk ());
    CatchEvents (0xFF);

    ASSERT_TRUE (Run (session, "open b.json\n").IsOk ()) << "a relative path is taken from the script's folder";
    EXPECT_EQ (events, (std::vector<Int32>{32, 4}));
    EXPECT_EQ (host.project.stories.at (0).name, "B");

    events.clear ();
    const Outcome outcome = Run (session, "open bad.json\nevent 8\n");
    EXPECT_EQ (outcome.kind, Outcome::Kind::BadInput);
    EXPECT_EQ (outcome.message.rfind ("s.txt:1: open bad.json: " + bad + ": $.stories: expected", 0), 0u)
        << outcome.message;
    EXPECT_TRUE (events.empty ()) << "neither a close nor the next step";
    EXPECT_EQ (host.project.stories.at (0).name, "B");
    EXPECT_TRUE (session.HasProject ());
}

TEST_F (SessionTest, SaveRaisesTheBeforeStoreEventThenWritesWhatTheAddonStored)
{
    HostSim::Session session (host, *client, out);
    const std::string path = Write ("a.json", R"({ "version": 1, "note": "kept" })");
    ASSERT_TRUE (session.Open (path).IsOk ());
    CatchEvents (0xFF, &StoreBeforeSave);
    ASSERT_TRUE (Run (session, "save\nclose\n").IsOk ());
    EXPECT_EQ (events, (std::vector<Int32>{8, 32}));

    HostSim::Project saved;
    std::string error;
    ASSERT_TRUE (HostSim::LoadProject (path, &saved, &error)) << error;
    ASSERT_EQ (saved.moduleData.count ("Tessera"), 1u);
    EXPECT_EQ (saved.moduleData["Tessera"].bytes, "saved");
    EXPECT_EQ (saved.moduleData["Tessera"].version, 7);
    EXPECT_NE (Read (path).find ("\"note\": \"kept\""), std::string::npos) << "members the host does not read survive";

    const Outcome again = Run (session, "save\n");
    EXPECT_EQ (again.message, "s.txt:1: save: no project is open to save");
}

TEST_F (SessionTest, MergeHandsTheHandlerThisProjectsBlockFirstAndKeepsTheResult)
{
    HostSim::Session session (host, *client, out);
    const std::string mine =
        Write ("a.json", R"({ "version": 1, "moduleData": { "Tessera": { "version": 2, "bytes": "4142" } } })");
    const std::string theirs =
        Write ("b.json", R"({ "version": 1, "moduleData": { "Tessera": { "version": 2, "bytes": "5859" } } })");
    const std::string theirsBefore = Read (theirs);
    ASSERT_TRUE (session.Open (mine).IsOk ());

    const Outcome noHandler = Run (session, "merge b.json\n");
    EXPECT_EQ (noHandler.kind, Outcome::Kind::Failed);
    EXPECT_NE (noHandler.message.find ("installed no module-data merge handler"), std::string::npos)
        << noHandler.message;
    EXPECT_EQ (host.project.moduleData["Tessera"].bytes, "AB");

    ASSERT_EQ (host.Table ().installModulDataMergeHandler (client, &ConcatenateBlocks), NoError);
    ASSERT_TRUE (Run (session, "merge b.json\n").IsOk ());
    EXPECT_EQ (host.project.moduleData["Tessera"].bytes, "ABXY");
    EXPECT_EQ (Read (theirs), theirsBefore) << "the other project's file is only read";

    // A project without a block takes the other's as it is; one with nothing to give changes nothing.
    host.project.moduleData.clear ();
    ASSERT_TRUE (Run (session, "merge b.json\n").IsOk ());
    EXPECT_EQ (host.project.moduleData["Tessera"].bytes, "XY");
    Write ("c.json", R"({ "version": 1 })");
    ASSERT_TRUE (Run (session, "merge c.json\n").IsOk ());
    EXPECT_EQ (host.project.moduleData["Tessera"].bytes, "XY");
}

TEST_F (SessionTest, MenuCallsTheFirstRegisteredMenusHandlerWithItemOne)
{
    HostSim::Session session (host, *client, out);
    const Outcome none = Run (session, "menu\n");
    EXPECT_NE (none.message.find ("registered no menu command"), std::string::npos) << none.message;

    ASSERT_EQ (host.Table ().registerMenu (client, 32500, 32502, 12, 0), NoError);
    ASSERT_EQ (host.Table ().registerMenu (client, 32600, 32602, 12, 0), NoError);
    const Outcome noHandler = Run (session, "menu\n");
    EXPECT_NE (noHandler.message.find ("installed no handler for its menu 32500"), std::string::npos)
        << noHandler.message;

    ASSERT_EQ (host.Table ().installMenuHandler (client, 32600, &RecordMenu), NoError);
    ASSERT_EQ (host.Table ().installMenuHandler (client, 32500, &RecordMenu), NoError);
    ASSERT_TRUE (Run (session, "menu\nmenu\n").IsOk ());
    ASSERT_EQ (menuCalls.size (), 2u);
    EXPECT_EQ (menuCalls[0].menuItemRef.menuResID, 32500);
    EXPECT_EQ (menuCalls[0].menuItemRef.itemIndex, 1);
}

TEST_F (SessionTest, PaletteMessagesGoToEveryRegisteredWindow)
{
    HostSim::Session session (host, *client, out);
    ASSERT_TRUE (Run (session, "palette-message 2\n").IsOk ()) << "no window: nothing to tell";
    ASSERT_EQ (host.Table ().registerModelessWindow (client, 11, &RecordPaletteMessage, 5), NoError);
    ASSERT_EQ (host.Table ().registerModelessWindow (client, 12, &RecordPaletteMessage, 5), NoError);
    ASSERT_TRUE (Run (session, "palette-message 2\npalette-message 3\n").IsOk ());
    EXPECT_EQ (paletteMessages, (std::vector<std::pair<Int32, Int32>>{{11, 2}, {12, 2}, {11, 3}, {12, 3}}));
}

TEST_F (SessionTest, UndoRevertsOneStepAndAFailingStepStopsTheScript)
{
    HostSim::Session session (host, *client, out);
    host.project.currentStory = 5;
    host.RecordUndo ([] (HostSim::Project& p) { p.currentStory = 1; });
    CatchEvents (0xFF);
    const Outcome outcome = Run (session, "undo\ncancel-at-poll 3\nundo\nevent 8\n");
    EXPECT_EQ (host.project.currentStory, 1);
    EXPECT_EQ (host.progress.cancelAtPoll, 3);
    EXPECT_EQ (outcome.kind, Outcome::Kind::Failed);
    EXPECT_EQ (outcome.message, "s.txt:3: undo: there is nothing to undo");
    EXPECT_TRUE (events.empty ()) << "the step after the failing one did not run";
}

TEST_F (SessionTest, ModalDialogsAreAnsweredFromTheQueueAndPrinted)
{
    HostSim::Session session (host, *client, out);
    ASSERT_EQ (host.Table ().registerMenu (client, 32500, 32502, 12, 0), NoError);
    ASSERT_EQ (host.Table ().installMenuHandler (client, 32500, &ShowErrorDialog), NoError);
    ASSERT_TRUE (Run (session, "check 128 5\nanswer click 1\nmenu\nmenu\nprint dialogs\n").IsOk ());
    EXPECT_EQ (events, (std::vector<Int32>{1, 0})) << "ticked in the first dialog; the second closes by its button";
    const std::string printed = out.str ();
    EXPECT_NE (printed.find ("[ ] "), std::string::npos) << "rendered as shown, before the answers: " << printed;
    EXPECT_NE (printed.find ("-- dialog 128 closed with OK"), std::string::npos) << printed;
    EXPECT_NE (printed.find ("-- dialog 128 closed with Cancel"), std::string::npos) << printed;
}

TEST_F (SessionTest, RefusedAndUnusedAnswersFailNamingTheirLine)
{
    HostSim::Session session (host, *client, out);
    ASSERT_EQ (host.Table ().registerMenu (client, 32500, 32502, 12, 0), NoError);
    ASSERT_EQ (host.Table ().installMenuHandler (client, 32500, &ShowErrorDialogWithoutBox), NoError);
    const Outcome refused = Run (session, "answer check 5\nmenu\n");
    EXPECT_EQ (refused.message.rfind (
                   "s.txt:2: menu: dialog 128 refused an answer: cannot tick item 5 of dialog 128: it is hidden", 0),
               0u)
        << refused.message;

    HostSim::Session later (host, *client, out);
    const Outcome unused = Run (later, "menu\nanswer 32402 click 3\n");
    EXPECT_EQ (unused.message, "s.txt:2: the answer was never used: no dialog it fits was shown");
}

TEST_F (SessionTest, PrintsSelectionAndModuleDataAsText)
{
    HostSim::Session session (host, *client, out);
    host.project.selection.kind = 1;
    host.project.selection.elements = {{6, 1}, {1, 2}};
    host.project.moduleData["Tessera"] = {2, 0x4D4D,
                                          std::string ("{A}\0"
                                                       "3\0\xFF\\",
                                                       8)};
    ASSERT_TRUE (Run (session, "print selection\nprint module-data\n").IsOk ());
    EXPECT_EQ (out.str (), "selection: 2 elements\n"
                           "element 6 1\n"
                           "element 1 2\n"
                           "module data Tessera: version 2, sign 4D4D, 8 bytes\n"
                           "{A}\\03\\0\\xFF\\\\\n");
}

// A palette with one settings page of the add-on's layouts, as an add-on builds it.
class PaletteCloseRecorder : public DG::PanelObserver {
public:
    void PanelCloseRequested (const DG::PanelCloseRequestEvent&, bool* accepted) override
    {
        ++requests;
        if (accepted != nullptr)
            *accepted = true;
    }
    Int32 requests = 0;
};

TEST_F (SessionTest, UserActionsReachThePaletteOnlyWhileItIsShownAndTakingEvents)
{
    HostSim::Session session (host, *client, out);
    DG::Palette palette (DG::Rect{0, 0, 380, 200}, GS::Guid (), DG::Dialog::HVGrow, DG::Dialog::CloseBox);
    DG::TabControl tabs (palette, 380);
    std::unique_ptr<DG::TabPage> page;
    {
        ResourceModuleLock lock;
        page = std::make_unique<DG::TabPage> (tabs, 1, 32510);
    }
    ASSERT_TRUE (page->IsValid ());
    PaletteCloseRecorder recorder;
    palette.Attach (recorder);

    const Outcome hidden = Run (session, "print palette\nradio 32510 2\n");
    EXPECT_EQ (out.str (), "") << "a hidden palette is not printed";
    EXPECT_EQ (hidden.kind, Outcome::Kind::Failed);
    EXPECT_EQ (hidden.message.rfind ("s.txt:2: radio 32510 2: cannot ", 0), 0u) << hidden.message;
    EXPECT_EQ (Run (session, "close-box\n").message, "s.txt:1: close-box: no palette is open");

    palette.Show ();
    palette.BeginEventProcessing ();
    ASSERT_TRUE (
        Run (session, "radio 32510 2\nedit 32510 3 -1\nresize palette 420 260\nclose-box\nprint palette\n").IsOk ());
    const DG::PanelState* state = DG::PanelStore::Find (page->GetId ());
    ASSERT_NE (state, nullptr);
    EXPECT_EQ (state->items[1].value, 1) << "radio 2 selected";
    EXPECT_EQ (state->items[0].value, 0) << "radio 1 of its group deselected";
    EXPECT_EQ (state->items[2].value, -1);
    EXPECT_EQ (palette.GetClientWidth (), 420);
    EXPECT_EQ (recorder.requests, 1);
    EXPECT_EQ (out.str (),
               DG::RenderPanel (palette.GetId ()) + (DG::RenderPanel (palette.GetId ()).back () == '\n' ? "" : "\n"));

    const Outcome missing = Run (session, "edit 32510 9 1\n");
    EXPECT_EQ (missing.message, "s.txt:1: edit 32510 9 1: cannot type into item 9 of dialog 32510: no such item")
        << "the driver's own words";
    EXPECT_EQ (Run (session, "popup 32512 1 2\n").message, "s.txt:1: popup 32512 1 2: no dialog 32512 is open");
    palette.Detach (recorder);
}

}   // namespace
