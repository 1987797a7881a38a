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

    // Binds an add-on: reads its exported record, opens its resource file, hands it the table.
    // Answers null with `error` set when the add-on or its resources cannot be bound.
    AddonClient* Bind (API_GetExportedFuncAddrsProc getExported, API_SetImportedFuncAddrsProc setImported,
                       const std::string& modulePath, const std::string& resourcePath, std::string* error);
    // Closes the add-on's resources and forgets it (its FreeData is the caller's business).
    void Unbind (AddonClient* client);

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
