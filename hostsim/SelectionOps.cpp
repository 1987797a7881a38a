// Table entries for selection, marquee and 'NTOE'.
#include "Host.h"

namespace HostSim {

void InstallSelectionOps (Host&, API_HostTable&) {}

}   // namespace HostSim
