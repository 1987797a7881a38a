// The stand-in host: one open project, the add-ons loaded into it, and the host's own windows
// (report window, menu flags, progress window, undo record). It answers every table entry an
// add-on calls (the *Ops.cpp files) and delivers menu commands and project events to the
// handlers add-ons install.
//
// Ownership: the Host owns its project, its add-on clients and the table it hands them; the
// add-on module itself (code) is owned by whoever loaded it (ModuleLoader or the test binary).
// Failures: operations answer the error codes a real host would; the failure switch (`failures`)
// makes any of them fail on purpose. Host main thread only.
#pragma once

#include "Failures.h"
#include "Project.h"
#include "api/APIHostTable.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace HostSim {

class Host;

// One loaded add-on as the host knows it; its address is the client handle.
struct AddonClient {
    Host* host = nullptr;
    std::string name;            // the module's file name without extension; keys its module data
    std::string modulePath;      // the module file
    GSResModule resModule = 0;   // its resource file
    API_ExportedFuncs entries{};
    std::map<Int16, APIMenuCommandProc> menuHandlers;
    APIModulDataMergeHandlerProc mergeHandler = nullptr;
    Int32 eventMask = 0;
    APIProjectEventHandlerProc eventHandler = nullptr;
    std::map<Int32, APIPaletteControlCallBackProc> modelessWindows;
    struct Menu {
        Int16 menuStrResID, promptStrResID;
        Int32 position, flags;
    };
    std::vector<Menu> menus;
};

// The host's progress window ('IPWD' opens it, 'SPRP' sets the phase, 'SPRV' the bar value,
// 'CANC' polls for a cancel, 'CPWD' closes it). Drawn on the error stream only when that is a
// terminal. A cancel is asked for with cancelAtPoll: the Nth 'CANC' poll of a window (from 1)
// answers cancelled, and every later poll of that window too; the request is used up by the window
// it fires in. 0 asks for no cancel.
struct ProgressWindow {
    bool open = false;
    std::string title;
    std::string phaseText;
    Int16 phaseCount = 0;
    Int32 maximum = 0;
    Int32 value = 0;
    Int32 polls = 0;          // 'CANC' polls since the window opened
    bool canceled = false;    // the user asked to stop; cleared when a window opens
    Int32 cancelAtPoll = 0;
    Int32 timesOpened = 0;    // windows opened since the host started
    std::vector<Int32> values;   // every bar value sent since the window opened, in order

    // One line as the terminal shows it: title, phase, a bar `width` cells wide, value/maximum.
    std::string Render (Int32 width) const;
};

// One undo step: what an outermost undoable operation changed, as callbacks that put the project
// back. Undo runs them in reverse order of recording.
struct UndoStep {
    std::string name;
    std::vector<std::function<void (Project&)>> reverts;
};

// The 3D model the host built last (ACAPI_Element_Get3DInfo): its element and its body numbers
// fbody .. lbody; only these bodies can be read (ModelOps.cpp).
struct Built3D {
    API_ElemTypeID type = 0;
    Int32 index = 0;
    Int32 fbody = 1, lbody = 0;
    Int32 nextBody = 1;   // the number the next built model's first body gets
};

// Grouped operations are dispatched by (group, selector).
enum class OpGroup { Interface, Environment, Database, Automate, Goodies };
using SelectorProc = GSErrCode (*) (Host& host, AddonClient& client, void* par1, void* par2);

class Host {
public:
    Host ();
    ~Host ();
    Host (const Host&) = delete;
    Host& operator= (const Host&) = delete;

    Project project;
    Failures failures;

    // Report window lines, in order.
    std::vector<std::string> report;
    // Menu item flags by (menu resource, item).
    std::map<std::pair<Int16, Int32>, Int32> menuItemFlags;
    ProgressWindow progress;
    Built3D built3D;

    // Undoable operations: ACAPI_OpenUndoableSession / ACAPI_CloseUndoableSession nest. The
    // outermost open pushes a step (named by it) and every change recorded with RecordUndo until its
    // close goes into that step; a close that leaves the step empty drops it. A change recorded
    // while no operation is open is a step of its own. Model changes that an add-on makes (a
    // placement's parameter, ...) call RecordUndo with a callback that puts the old state back.
    // Undo reverts the last step and drops it; false when there is none or an operation is open.
    std::vector<UndoStep> undoStack;
    Int32 undoDepth = 0;          // operations open now
    Int32 undoOperations = 0;     // outermost operations closed so far
    void RecordUndo (std::function<void (Project&)> revert);
    bool Undo ();

    // Binds an add-on: reads its exported record, opens its resource file, hands it the table.
    // Answers null with `error` set when the add-on or its resources cannot be bound.
    AddonClient* Bind (API_GetExportedFuncAddrsProc getExported, API_SetImportedFuncAddrsProc setImported,
                       const std::string& modulePath, const std::string& resourcePath, std::string* error);
    // Closes the add-on's resources and forgets it (its FreeData is the caller's business).
    void Unbind (AddonClient* client);

    // Calls the add-on's installed merge handler with `command`, copies of the two source blocks
    // (released again afterwards) and a destination record without a block; a block the handler
    // puts there replaces `*destination`, which stays as it was otherwise. Answers the handler's
    // code, or APIERR_GENERAL when no handler is installed.
    GSErrCode CallMergeHandler (AddonClient& client, API_MDSetCmd command, const ModuleDataBlock& first,
                                const ModuleDataBlock& second, ModuleDataBlock* destination);

    const API_HostTable& Table () const { return table; }
    void RegisterSelector (OpGroup group, UInt32 code, SelectorProc proc);
    GSErrCode Dispatch (OpGroup group, AddonClient& client, UInt32 code, void* par1, void* par2);

    static Host& Of (API_Client client) { return *static_cast<AddonClient*> (client)->host; }
    static AddonClient& ClientOf (API_Client client) { return *static_cast<AddonClient*> (client); }

private:
    API_HostTable table{};
    std::map<std::pair<OpGroup, UInt32>, SelectorProc> selectors;
    std::vector<std::unique_ptr<AddonClient>> clients;
};

// Each operations file fills its table entries and registers its selectors.
void InstallResourceOps (Host& host, API_HostTable& table);
void InstallElementOps (Host& host, API_HostTable& table);
void InstallParamOps (Host& host, API_HostTable& table);
void InstallLibPartOps (Host& host, API_HostTable& table);
void InstallModuleDataOps (Host& host, API_HostTable& table);
void InstallStoryOps (Host& host, API_HostTable& table);
void InstallSelectionOps (Host& host, API_HostTable& table);
void InstallProgressOps (Host& host, API_HostTable& table);
void InstallModelOps (Host& host, API_HostTable& table);

// The four-character text of a selector ("GDAT"), the failure switch's name for it.
std::string SelectorName (UInt32 code);

}   // namespace HostSim
