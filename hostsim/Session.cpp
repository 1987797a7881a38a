#include "Session.h"

#include "ProjectFile.h"

#include "dg/Driver.h"
#include "dg/ListDriver.h"
#include "dg/PanelState.h"
#include "dg/TextRenderer.h"
#include "dg/WindowState.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <set>

namespace HostSim {

namespace {

std::string CodeText (GSErrCode code)
{
    char text[16];
    std::snprintf (text, sizeof text, "0x%08X", static_cast<unsigned> (code));
    return text;
}

void WriteBlock (std::ostream& out, const std::string& text)
{
    out << text;
    if (!text.empty () && text.back () != '\n')
        out << '\n';
}

// A block's bytes on one line: printable ASCII as is, the rest escaped.
std::string EscapedBytes (const std::string& bytes)
{
    std::string text;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char> (c);
        if (byte == '\\')
            text += "\\\\";
        else if (byte == 0)
            text += "\\0";
        else if (byte == '\n')
            text += "\\n";
        else if (byte >= 0x20 && byte < 0x7F)
            text += c;
        else {
            char hex[8];
            std::snprintf (hex, sizeof hex, "\\x%02X", byte);
            text += hex;
        }
    }
    return text;
}

// The newest live panel built from dialog resource `resourceId`, preferring one the user can act
// on now (a palette's pages only while it is shown); 0 when there is none.
Int32 FindPanel (Int16 resourceId)
{
    Int32 found = 0;
    const std::vector<Int32> live = DG::PanelStore::LivePanels ();
    for (auto it = live.rbegin (); it != live.rend (); ++it) {
        const DG::PanelState* state = DG::PanelStore::Find (*it);
        if (state == nullptr || state->resourceId != resourceId)
            continue;
        if (DG::Windows::WhyUserCannotAct (*it).empty ())
            return *it;
        if (found == 0)
            found = *it;
    }
    return found;
}

Outcome NoPanel (Int16 resourceId)
{
    return Outcome::Fail ("no dialog " + std::to_string (resourceId) + " is open");
}

// The one visible modeless window (panel 0 of the actions), or a failure saying why there is none.
Outcome ThePalette (Int32* id)
{
    const std::vector<Int32> windows = Session::VisibleModelessWindows ();
    if (windows.size () != 1)
        return Outcome::Fail (windows.empty () ? "no palette is open" : "several palettes are open");
    *id = windows.front ();
    return Outcome::Ok ();
}

// The panel of dialog resource `panel`, or the one visible palette when `panel` is 0.
Outcome PaletteOrPanel (Int16 panel, Int32* id)
{
    if (panel == 0)
        return ThePalette (id);
    if ((*id = FindPanel (panel)) == 0)
        return NoPanel (panel);
    return Outcome::Ok ();
}

Outcome Driven (bool done, const std::string& error)
{
    return done ? Outcome::Ok () : Outcome::Fail (error);
}

}   // namespace

Session::Session (Host& host, AddonClient& client, std::ostream& out)
    : host (host), client (client), out (out), useAgent (agent)
{
}

Session::~Session () = default;

Outcome Session::AddonResult (const char* what, GSErrCode code) const
{
    if (code == NoError)
        return Outcome::Ok ();
    return Outcome::Fail (client.modulePath + ": " + what + " answered error " + CodeText (code));
}

// ---- the add-on's start and end ---------------------------------------------------------

Outcome Session::Start ()
{
    const API_ExportedFuncs& entries = client.entries;
    if (entries.checkEnvironment == nullptr || entries.registerInterface == nullptr || entries.initialize == nullptr)
        return Outcome::Fail (client.modulePath +
                              ": the add-on exports no CheckEnvironment, RegisterInterface or Initialize");
    API_EnvirParams envir{};
    if (entries.checkEnvironment (&envir) == 0)
        return Outcome::Fail (client.modulePath + ": the add-on refused to run here (CheckEnvironment answered 0)");
    Outcome result = AddonResult ("RegisterInterface", entries.registerInterface ());
    if (!result.IsOk ())
        return result;
    initializeCalled = true;
    return AddonResult ("Initialize", entries.initialize ());
}

Outcome Session::Finish ()
{
    if (projectOpen)
        Close ();
    if (!initializeCalled || client.entries.freeData == nullptr)
        return Outcome::Ok ();
    initializeCalled = false;
    return AddonResult ("FreeData", client.entries.freeData ());
}

// ---- the project ------------------------------------------------------------------------

void Session::DeliverEvent (Int32 event)
{
    const APIProjectEventHandlerProc handler = client.eventHandler;
    if (handler != nullptr && (client.eventMask & event) != 0)
        handler (event, 0);
}

void Session::MakeCurrent (Project project, Int32 event)
{
    if (projectOpen)
        Close ();
    host.project = std::move (project);
    host.undoStack.clear ();
    projectOpen = true;
    DeliverEvent (event);
}

Outcome Session::Open (const std::string& path)
{
    Project loaded;
    std::string error;
    if (!LoadProject (path, &loaded, &error))
        return Outcome::Bad (error);
    MakeCurrent (std::move (loaded), ProjectEvent::OpenedProject);
    return Outcome::Ok ();
}

Outcome Session::Close ()
{
    if (!projectOpen)
        return Outcome::Fail ("no project is open");
    DeliverEvent (ProjectEvent::Closing);
    host.project = Project ();
    host.undoStack.clear ();
    projectOpen = false;
    return Outcome::Ok ();
}

Outcome Session::Save ()
{
    if (!projectOpen)
        return Outcome::Fail ("no project is open to save");
    if (host.project.path.empty ())
        return Outcome::Fail ("the open project has no file to save to");
    DeliverEvent (ProjectEvent::BeforeSave);
    std::string error;
    const SaveFaults faults = [this] (const char* step) -> int {
        static const char* const names[] = {"SaveProject:create", "SaveProject:write", "SaveProject:flush",
                                            "SaveProject:rename"};
        for (const char* name : names)
            if (std::strcmp (name + 12, step) == 0)
                return host.failures.Check (name) != NoError ? EIO : 0;
        return 0;
    };
    if (!SaveProject (host.project, host.project.path, &error, faults))
        return Outcome::Fail (error);
    return Outcome::Ok ();
}

Outcome Session::Merge (const std::string& path)
{
    if (!projectOpen)
        return Outcome::Fail ("no project is open to merge into");
    Project other;
    std::string error;
    if (!LoadProject (path, &other, &error))
        return Outcome::Bad (error);
    const auto theirs = other.moduleData.find (client.name);
    if (theirs == other.moduleData.end ())
        return Outcome::Ok ();   // nothing of this add-on's to merge
    const auto ours = host.project.moduleData.find (client.name);
    if (ours == host.project.moduleData.end ()) {
        host.project.moduleData[client.name] = theirs->second;   // nothing to merge with: taken as is
        return Outcome::Ok ();
    }
    if (client.mergeHandler == nullptr)
        return Outcome::Fail (client.modulePath + ": the add-on installed no module-data merge handler");
    ModuleDataBlock merged = ours->second;
    const GSErrCode code = host.CallMergeHandler (client, APIMDSetMerge, ours->second, theirs->second, &merged);
    if (code != NoError)
        return AddonResult ("the module-data merge handler", code);
    host.project.moduleData[client.name] = std::move (merged);
    return Outcome::Ok ();
}

Outcome Session::Undo ()
{
    if (!host.Undo ())
        return Outcome::Fail (host.undoDepth > 0 ? "an undoable operation is still open" : "there is nothing to undo");
    return Outcome::Ok ();
}

// ---- menu and palette messages ----------------------------------------------------------

Outcome Session::MenuCommand ()
{
    if (client.menus.empty ())
        return Outcome::Fail (client.modulePath + ": the add-on registered no menu command");
    const Int16 menu = client.menus.front ().menuStrResID;
    const auto handler = client.menuHandlers.find (menu);
    if (handler == client.menuHandlers.end () || handler->second == nullptr)
        return Outcome::Fail (client.modulePath + ": the add-on installed no handler for its menu " +
                              std::to_string (menu));
    API_MenuParams params{};
    params.menuItemRef.menuResID = menu;
    params.menuItemRef.itemIndex = 1;
    return AddonResult ("the menu handler", handler->second (&params));
}

Outcome Session::PaletteMessage (Int32 message)
{
    // A callback may unregister windows: call those registered when the message went out.
    const std::map<Int32, APIPaletteControlCallBackProc> windows = client.modelessWindows;
    for (const auto& [reference, callback] : windows) {
        if (callback == nullptr || client.modelessWindows.count (reference) == 0)
            continue;   // unregistered by an earlier callback of this message
        const GSErrCode code = callback (reference, message);
        if (code != NoError)
            return AddonResult ("a palette's control callback", code);
    }
    return Outcome::Ok ();
}

// ---- printing ---------------------------------------------------------------------------

std::vector<Int32> Session::VisibleModelessWindows ()
{
    std::vector<Int32> windows;
    for (const Int32 id : DG::PanelStore::LivePanels ()) {
        const DG::WindowState* window = DG::Windows::Find (id);
        if (window != nullptr && window->modeless && window->shown)
            windows.push_back (id);
    }
    return windows;
}

Outcome Session::Print (PrintTarget what)
{
    switch (what) {
    case PrintTarget::Report:
        for (const std::string& line : host.report)
            WriteBlock (out, line.empty () ? "\n" : line);
        break;
    case PrintTarget::Palette:
        for (const Int32 id : VisibleModelessWindows ())
            WriteBlock (out, DG::RenderPanel (id));
        break;
    case PrintTarget::Selection: {
        const Selection& selection = host.project.selection;
        if (selection.kind == 0)
            out << "selection: nothing\n";
        else if (selection.kind == 1)
            out << "selection: " << selection.elements.size () << " elements\n";
        else
            out << "selection: marquee of kind " << selection.kind << " with " << selection.polygon.size () << " points"
                << (selection.multiStory ? ", all stories" : "") << "\n";
        for (const auto& [type, index] : selection.elements)
            out << "element " << type << " " << index << "\n";
        break;
    }
    case PrintTarget::ModuleData:
        if (host.project.moduleData.empty ())
            out << "module data: none\n";
        for (const auto& [name, block] : host.project.moduleData) {
            char sign[8];
            std::snprintf (sign, sizeof sign, "%04X", static_cast<unsigned> (block.platformSign));
            out << "module data " << name << ": version " << block.version << ", sign " << sign << ", "
                << block.bytes.size () << " bytes\n"
                << EscapedBytes (block.bytes) << "\n";
        }
        break;
    case PrintTarget::Dialogs:
        for (const DG::ShownDialog& dialog : agent.Shown ()) {
            WriteBlock (out, dialog.rendered);
            out << "-- dialog " << dialog.resourceId << " closed "
                << (dialog.response == DG::Accept   ? "with OK"
                    : dialog.response == DG::Cancel ? "with Cancel"
                                                    : "not yet")
                << "\n";
        }
        break;
    case PrintTarget::HostCalls:
        for (const auto& [name, calls] : host.failures.CallCounts ())
            out << "host-call " << name << " " << calls << "\n";
        break;
    case PrintTarget::Menu:
        // Item 1 of every registered menu, and every other item whose flags were set.
        for (const AddonClient::Menu& menu : client.menus) {
            std::set<Int32> items{1};
            for (const auto& [ref, flags] : host.menuItemFlags)
                if (ref.first == menu.menuStrResID)
                    items.insert (ref.second);
            for (const Int32 item : items) {
                const auto it = host.menuItemFlags.find ({menu.menuStrResID, item});
                const Int32 flags = it == host.menuItemFlags.end () ? 0 : it->second;
                out << "menu " << menu.menuStrResID << " item " << item << ": flags " << flags
                    << ((flags & API_MenuItemChecked) != 0 ? ", checked" : ", not checked") << "\n";
            }
        }
        break;
    }
    out.flush ();
    return Outcome::Ok ();
}

// ---- the user's actions on open panels --------------------------------------------------

Outcome Session::Click (Int16 panel, Int16 item)
{
    const Int32 id = FindPanel (panel);
    if (id == 0)
        return NoPanel (panel);
    DG::Driver driver (id);
    return Driven (driver.Click (item), driver.GetError ());
}

Outcome Session::SelectRadio (Int16 panel, Int16 item)
{
    const Int32 id = FindPanel (panel);
    if (id == 0)
        return NoPanel (panel);
    DG::Driver driver (id);
    return Driven (driver.SelectRadio (item), driver.GetError ());
}

Outcome Session::TypeValue (Int16 panel, Int16 item, Int32 value)
{
    const Int32 id = FindPanel (panel);
    if (id == 0)
        return NoPanel (panel);
    DG::Driver driver (id);
    return Driven (driver.TypeValue (item, value), driver.GetError ());
}

Outcome Session::ChoosePopUp (Int16 panel, Int16 item, Int16 entry)
{
    const Int32 id = FindPanel (panel);
    if (id == 0)
        return NoPanel (panel);
    DG::Driver driver (id);
    return Driven (driver.ChooseEntry (item, entry), driver.GetError ());
}

Outcome Session::SelectRows (Int16 panel, Int16 item, const std::vector<Int16>& rows)
{
    const Int32 id = FindPanel (panel);
    if (id == 0)
        return NoPanel (panel);
    DG::ListDriver driver (id);
    return Driven (driver.SelectRows (item, rows), driver.GetError ());
}

Outcome Session::ListClick (Int16 panel, Int16 item, Int16 row, Int32 offset, DG::Key::Modifiers modifiers, bool twice)
{
    const Int32 id = FindPanel (panel);
    if (id == 0)
        return NoPanel (panel);
    DG::ListDriver driver (id);
    const bool done =
        twice ? driver.DoubleClickRow (item, row, offset, modifiers) : driver.ClickRow (item, row, offset, modifiers);
    return Driven (done, driver.GetError ());
}

Outcome Session::Resize (Int16 panel, Int32 width, Int32 height)
{
    Int32 id = 0;
    if (Outcome none = PaletteOrPanel (panel, &id); !none.IsOk ())
        return none;
    DG::Driver driver (id);
    return Driven (driver.Resize (width, height), driver.GetError ());
}

Outcome Session::CloseBox (Int16 panel)
{
    Int32 id = 0;
    if (Outcome none = PaletteOrPanel (panel, &id); !none.IsOk ())
        return none;
    DG::Driver driver (id);
    driver.CloseBox ();   // a window may refuse to close: the user's press was still done
    return driver.GetError ().empty () ? Outcome::Ok () : Outcome::Fail (driver.GetError ());
}

// ---- answers for modal dialogs ----------------------------------------------------------

void Session::QueueAnswer (const DG::Answer& answer, Int32 line)
{
    agent.Queue (answer);
    answerLines.push_back (line);
}

Outcome Session::RefusedAnswers ()
{
    std::string first;
    size_t count = 0;
    for (const DG::ShownDialog& dialog : agent.Shown ()) {
        for (const std::string& why : dialog.refused) {
            if (count++ == refusalsSeen)
                first = "dialog " + std::to_string (dialog.resourceId) + " refused an answer: " + why;
        }
    }
    if (count <= refusalsSeen)
        return Outcome::Ok ();
    refusalsSeen = count;
    return Outcome::Fail (first);
}

Int32 Session::FirstUnusedAnswerLine () const
{
    const size_t pending = agent.Pending ();
    if (pending == 0 || pending > answerLines.size ())
        return 0;
    return answerLines[answerLines.size () - pending];
}

}   // namespace HostSim
