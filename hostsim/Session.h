// Session: one working session of a user with the host and one bound add-on: the add-on's start and
// end (CheckEnvironment, RegisterInterface, Initialize ... FreeData), the open project (open, close,
// save, merge another project's module data), project events delivered to the add-on's installed
// handler by its mask, the add-on's menu command and palette messages, undo, and the user's actions
// on the add-on's windows through the dialog framework's driver. Modal dialogs the add-on shows are
// answered by the session's recording agent, installed for the session's lifetime.
//
// Ownership: the session borrows the Host, the add-on client and the output stream; it owns its
// user agent. Failures: every action answers an Outcome; a refused or failing action changes
// nothing it has not reported, and a project file that cannot be read leaves the open project as
// it was. Host main thread only.
#pragma once

#include "Host.h"

#include "dg/RecordingAgent.h"
#include "dg/UserAgent.h"

#include <ostream>
#include <string>
#include <vector>

namespace HostSim {

// How an action ended: done, failed while running (exit status 1), or refused because its input
// (a project file, a command line) is bad (exit status 2). `message` names what went wrong.
struct Outcome {
    enum class Kind { Done, Failed, BadInput };
    Kind kind = Kind::Done;
    std::string message;

    static Outcome Ok () { return {}; }
    static Outcome Fail (std::string message) { return {Kind::Failed, std::move (message)}; }
    static Outcome Bad (std::string message) { return {Kind::BadInput, std::move (message)}; }
    bool IsOk () const { return kind == Kind::Done; }
};

// Project events, by bit value.
namespace ProjectEvent {
constexpr Int32 NewProject = 1;      // a new project became current
constexpr Int32 OpenedProject = 4;   // an opened project became current
constexpr Int32 BeforeSave = 8;      // the project is about to be stored
constexpr Int32 Closing = 32;        // the project is closing
}   // namespace ProjectEvent

// What `Print` writes.
enum class PrintTarget { Report, Palette, Selection, ModuleData, Dialogs, HostCalls, Menu };

class Session {
public:
    Session (Host& host, AddonClient& client, std::ostream& out);
    ~Session ();
    Session (const Session&) = delete;
    Session& operator= (const Session&) = delete;

    // CheckEnvironment (0 refuses), RegisterInterface, Initialize; stops at the first refusal.
    Outcome Start ();
    // Closes the open project (event 32), then FreeData when Initialize was called.
    Outcome Finish ();

    // Makes `project` the open project, closing the one open before (event 32), then raises `event`.
    void MakeCurrent (Project project, Int32 event = ProjectEvent::OpenedProject);
    // Loads the project file and makes it current; a bad file changes nothing (BadInput).
    Outcome Open (const std::string& path);
    Outcome Close ();
    // Event 8, then writes the project back to the file it came from (atomically).
    Outcome Save ();
    bool HasProject () const { return projectOpen; }

    // Calls the add-on's installed handler when its mask holds the event's bit.
    void DeliverEvent (Int32 event);
    // The add-on's first registered menu command, item 1.
    Outcome MenuCommand ();
    // Calls every registered modeless window's callback with `message`.
    Outcome PaletteMessage (Int32 message);
    // Merges the other project's module data block into the open project's through the add-on's
    // merge handler (command 13): this project's block first, the other's second.
    Outcome Merge (const std::string& path);
    Outcome Undo ();
    void CancelAtPoll (Int32 poll) { host.progress.cancelAtPoll = poll; }
    // The host's failure switch: calls `first` .. `first + count - 1` of `operation` (counted from
    // now; count 0: all from `first` on) answer `code`. Saving's own steps are the operations
    // "SaveProject:create", ":write", ":flush" and ":rename" (any code fails the step).
    void FailOperation (const std::string& operation, GSErrCode code, Int32 first, Int32 count)
    {
        host.failures.Fail (operation, code, first, count);
    }
    void ClearFailures () { host.failures.Clear (); }
    Outcome Print (PrintTarget what);

    // The user's actions on a panel open now, by dialog resource number and item number.
    Outcome Click (Int16 panel, Int16 item);
    Outcome SelectRadio (Int16 panel, Int16 item);
    Outcome TypeValue (Int16 panel, Int16 item, Int32 value);
    Outcome ChoosePopUp (Int16 panel, Int16 item, Int16 entry);
    Outcome SelectRows (Int16 panel, Int16 item, const std::vector<Int16>& rows);
    Outcome ListClick (Int16 panel, Int16 item, Int16 row, Int32 offset, DG::Key::Modifiers modifiers, bool twice);
    // Panel 0: the one visible modeless window (the palette).
    Outcome Resize (Int16 panel, Int32 width, Int32 height);
    Outcome CloseBox (Int16 panel);

    // Answers for the modal dialogs to come; `line` is where the answer was written (for messages).
    void QueueAnswer (const DG::Answer& answer, Int32 line);
    // Answers the dialogs refused since the last call, as a failure naming the first.
    Outcome RefusedAnswers ();
    // The line of the first queued answer no dialog has taken; 0 when all were taken.
    Int32 FirstUnusedAnswerLine () const;
    const DG::RecordingAgent& Agent () const { return agent; }

    // The ids of the visible modeless windows (palettes), oldest first.
    static std::vector<Int32> VisibleModelessWindows ();

private:
    Outcome AddonResult (const char* what, GSErrCode code) const;

    Host& host;
    AddonClient& client;
    std::ostream& out;
    bool projectOpen = false;
    bool initializeCalled = false;   // FreeData is due only then
    DG::RecordingAgent agent;
    DG::ScopedUserAgent useAgent;
    std::vector<Int32> answerLines;   // the line of every answer queued, in order
    size_t refusalsSeen = 0;          // refusals already reported, over all dialogs shown
};

}   // namespace HostSim
