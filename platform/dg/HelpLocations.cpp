#include "HelpLocations.h"

#include <algorithm>

namespace DG {

namespace {

std::vector<HelpLocation>& Registry ()
{
    static std::vector<HelpLocation> registry;
    return registry;
}

auto FindPair (UInt32 developerId, UInt32 localId)
{
    return std::find_if (Registry ().begin (), Registry ().end (),
                         [&] (const HelpLocation& h) { return h.developerId == developerId && h.localId == localId; });
}

}   // namespace

bool RegisterAdditionalHelpLocation (UInt32 developerId, UInt32 localId, const IO::Location& location)
{
    auto it = FindPair (developerId, localId);
    if (it != Registry ().end ())
        it->location = location;
    else
        Registry ().push_back (HelpLocation{developerId, localId, location});
    return true;
}

bool UnregisterAdditionalHelpLocation (UInt32 developerId, UInt32 localId)
{
    auto it = FindPair (developerId, localId);
    if (it == Registry ().end ())
        return false;
    Registry ().erase (it);
    return true;
}

std::vector<HelpLocation> GetAdditionalHelpLocations ()
{
    return Registry ();
}

}   // namespace DG
