// ModuleLoader: one add-on module file loaded into the host's process (dlopen) and its two exported
// binding functions looked up (dlsym). The loader owns the loaded module: Unload, or the
// destructor, unloads it; the functions it hands out are valid only until then.
//
// Failures: Load answers false and sets `error` to one line naming the module file and what failed
// (the file cannot be loaded, or it lacks an export); nothing stays loaded then. Host main thread
// only.
#pragma once

#include "api/APIHostTable.h"

#include <string>

namespace HostSim {

class ModuleLoader {
public:
    ModuleLoader () = default;
    ~ModuleLoader ();
    ModuleLoader (const ModuleLoader&) = delete;
    ModuleLoader& operator= (const ModuleLoader&) = delete;

    bool Load (const std::string& path, std::string* error);
    void Unload ();
    bool IsLoaded () const { return handle != nullptr; }

    const std::string& GetPath () const { return path; }
    API_GetExportedFuncAddrsProc GetExportedFuncAddrs () const { return getExported; }
    API_SetImportedFuncAddrsProc SetImportedFuncAddrs () const { return setImported; }

private:
    void* handle = nullptr;
    std::string path;
    API_GetExportedFuncAddrsProc getExported = nullptr;
    API_SetImportedFuncAddrsProc setImported = nullptr;
};

}   // namespace HostSim
