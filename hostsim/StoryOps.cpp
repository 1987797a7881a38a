// Table entries for stories, windows and databases.
#include "Host.h"

namespace HostSim {

void InstallStoryOps (Host&, API_HostTable&) {}

}   // namespace HostSim
