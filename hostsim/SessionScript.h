// Session scripts: a plain text file of user actions, one per line, that the host program runs
// against a Session (docs/session-script.md has the grammar). ParseSessionScript turns the text
// into steps without running anything; RunSessionScript runs them in order and stops at the first
// that fails.
//
// Failures: a bad line makes the parse answer false with one message "FILE:LINE: ..." naming what
// was expected; nothing of the script has run then. The parser reads only the given text (a zero
// byte is an error, never an end). A step that fails while running answers its Outcome with the
// file, line and action in front of the message. Host main thread only.
#pragma once

#include "Session.h"

#include <string>
#include <vector>

namespace HostSim {

enum class ScriptAction {
    Menu,
    Click,
    Radio,
    Edit,
    PopUp,
    SelectRows,
    ListClick,
    DoubleClick,
    Resize,
    CloseBox,
    PaletteMessage,
    Answer,   // queued for the modal dialogs to come (`answer ...`, `check DIALOG ITEM`)
    Save,
    Close,
    Open,
    Event,
    Merge,
    Undo,
    CancelAtPoll,
    Fail,        // the host's failure switch: `fail OPERATION CODE [FIRST [COUNT]]`
    FailClear,   // `fail-clear`: every operation answers normally again
    FailCreation,   // the dialog framework's creation switch: `fail-creation KIND N`
    Print
};

struct ScriptStep {
    ScriptAction action = ScriptAction::Menu;
    Int32 line = 0;     // from 1
    std::string text;   // the line as written, without comment
    Int16 panel = 0;    // dialog resource number; 0: none named
    Int16 item = 0;
    Int16 row = 0;
    Int32 number = 0;   // edit value, pop-up entry, offset, width, event, message, poll
    Int32 height = 0;
    std::vector<Int16> rows;   // select-rows
    DG::Key::Modifiers modifiers = DG::Key::NoModifier;
    std::string path;   // open, merge: as written; resolved against the script's folder
    PrintTarget print = PrintTarget::Report;
    std::string operation;               // fail: the operation's name or selector
    Int32 first = 1, count = 0;          // fail: the calls that fail (count 0: every one from first)
    DG::Answer answer = DG::Answer::Done ();
    Int32 creation = 0;   // fail-creation: the kind of object (DG::Creation)
};

struct SessionScript {
    std::string fileName;    // for messages
    std::string directory;   // relative project paths are taken from here; empty: as written
    std::vector<ScriptStep> steps;
};

// Parses `text`, the contents of the script named `fileName`.
bool ParseSessionScript (const std::string& fileName, const std::string& text, SessionScript* script,
                         std::string* error);
// Reads and parses the script file at `path`; an unreadable file is an error like a bad line.
bool LoadSessionScript (const std::string& path, SessionScript* script, std::string* error);

// Runs the steps; after the last one, queued answers that no dialog used are a failure.
Outcome RunSessionScript (Session& session, const SessionScript& script);

// What a run without a script does: the first menu command, then the report and the palette.
SessionScript DefaultSessionScript ();

}   // namespace HostSim
