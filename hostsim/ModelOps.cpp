// Table entries for 3D information and body components.
#include "Host.h"

namespace HostSim {

void InstallModelOps (Host&, API_HostTable&) {}

}   // namespace HostSim
