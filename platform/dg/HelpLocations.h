// Additional help locations: places (folders) where the framework looks for an add-on's help,
// registered under the add-on's developer and local identifiers. One location per pair of
// identifiers; registering a pair again replaces its location. The registry is process-wide and
// readable, so the host and tests can see what an add-on registered. Host main thread only.
#pragma once

#include "gs/IOLocation.h"

#include <vector>

namespace DG {

struct HelpLocation {
    UInt32 developerId = 0;
    UInt32 localId = 0;
    IO::Location location;
};

// Registers `location`; answers true.
bool RegisterAdditionalHelpLocation (UInt32 developerId, UInt32 localId, const IO::Location& location);
// Removes the pair's location; answers whether there was one.
bool UnregisterAdditionalHelpLocation (UInt32 developerId, UInt32 localId);
// The registered locations, in order of first registration.
std::vector<HelpLocation> GetAdditionalHelpLocations ();

}   // namespace DG
