#include "ModuleLoader.h"

#include <dlfcn.h>

namespace HostSim {

namespace {

std::string LastDlError ()
{
    const char* text = dlerror ();
    return text != nullptr ? text : "unknown reason";
}

}   // namespace

ModuleLoader::~ModuleLoader ()
{
    Unload ();
}

bool ModuleLoader::Load (const std::string& modulePath, std::string* error)
{
    Unload ();
    // dlopen searches the library path for a bare name; a module is always a file path here.
    const std::string file = modulePath.find ('/') == std::string::npos ? "./" + modulePath : modulePath;
    dlerror ();
    void* loaded = dlopen (file.c_str (), RTLD_NOW | RTLD_LOCAL);
    if (loaded == nullptr) {
        *error = modulePath + ": cannot load the add-on module: " + LastDlError ();
        return false;
    }
    auto lookUp = [&] (const char* name) -> void* {
        dlerror ();
        void* symbol = dlsym (loaded, name);
        if (symbol == nullptr)
            *error = modulePath + ": the add-on module does not export " + name;
        return symbol;
    };
    void* exported = lookUp (API_GetExportedFuncAddrsName);
    void* imported = exported != nullptr ? lookUp (API_SetImportedFuncAddrsName) : nullptr;
    if (exported == nullptr || imported == nullptr) {
        dlclose (loaded);
        return false;
    }
    handle = loaded;
    path = modulePath;
    getExported = reinterpret_cast<API_GetExportedFuncAddrsProc> (exported);
    setImported = reinterpret_cast<API_SetImportedFuncAddrsProc> (imported);
    return true;
}

void ModuleLoader::Unload ()
{
    if (handle != nullptr)
        dlclose (handle);
    handle = nullptr;
    path.clear ();
    getExported = nullptr;
    setImported = nullptr;
}

}   // namespace HostSim
