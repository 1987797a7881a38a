// Table entries for library-part parameters ('OPAR', 'GPAR', 'GPVL', 'CHGP', 'CPAR'), parameter lists and placement changes.
#include "Host.h"

namespace HostSim {

void InstallParamOps (Host&, API_HostTable&) {}

}   // namespace HostSim
