#include "CreationFailures.h"

#include <map>

namespace DG {

namespace {

// Creations of each kind still to go before the failing one; absent: the switch is off.
std::map<Creation, Int32>& Armed ()
{
    static std::map<Creation, Int32> armed;
    return armed;
}

}   // namespace

void FailCreation (Creation what, Int32 nth)
{
    if (nth > 0)
        Armed ()[what] = nth;
    else
        Armed ().erase (what);
}

void ClearCreationFailures ()
{
    Armed ().clear ();
}

bool CreationFails (Creation what)
{
    auto it = Armed ().find (what);
    if (it == Armed ().end ())
        return false;
    if (--it->second > 0)
        return false;
    Armed ().erase (it);
    return true;
}

}   // namespace DG
