// The process-wide set of opened resource files and which of them is active. The host opens an
// add-on's resource file when it loads the add-on and switches the active module when the add-on
// asks; the dialog framework builds dialogs and icons from the active module. Modules are numbered
// from 1; 0 means none. The registry owns the files until Close. Host main thread only.
#pragma once

#include "ResourceFile.h"

#include <memory>

namespace RSRC {

// Opens a file; answers its module number, or 0 with `error` set.
GSResModule OpenModule (const std::string& path, std::string* error);
void CloseModule (GSResModule module);
const ResourceFile* GetModule (GSResModule module);

GSResModule GetActiveModule ();
// Makes `module` active and answers the one that was active before.
GSResModule SetActiveModule (GSResModule module);
// The active module's file, or null.
const ResourceFile* ActiveFile ();

}   // namespace RSRC
