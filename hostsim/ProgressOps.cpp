// Table entries for the progress window and undoable operations.
#include "Host.h"

namespace HostSim {

void InstallProgressOps (Host&, API_HostTable&) {}

}   // namespace HostSim
