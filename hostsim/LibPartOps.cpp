// Table entries for library-part search and fetch.
#include "Host.h"

namespace HostSim {

void InstallLibPartOps (Host&, API_HostTable&) {}

}   // namespace HostSim
