// The add-on's entry points, defined by the add-on's main module and handed to the host by the
// binding (Binding.cpp) through the exported record. The binding calls them only once the host's
// table has arrived.
#pragma once

#include "api/APIdefs.h"

Int32 CheckEnvironment (API_EnvirParams* envir);
GSErrCode RegisterInterface ();
GSErrCode Initialize ();
GSErrCode FreeData ();
