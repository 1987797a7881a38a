// Table entries for the add-ons' module data in the open project.
#include "Host.h"

namespace HostSim {

void InstallModuleDataOps (Host&, API_HostTable&) {}

}   // namespace HostSim
