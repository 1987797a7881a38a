// The stand-in host's failure switch: makes a chosen operation answer a chosen error code, for
// tests of an add-on's failure paths. Operations are named as the add-on calls them
// ("ACAPI_Element_Get") or, for grouped operations, by their selector ("GDAT"). A rule fails the
// calls numbered `first` to `first + count - 1` (from 1) of that operation, counted from when the
// rule was set; count 0 means every call from `first` on.
#pragma once

#include "gs/GSTypes.h"

#include <map>
#include <string>

namespace HostSim {

class Failures {
public:
    void Fail (const std::string& operation, GSErrCode code, Int32 first = 1, Int32 count = 0);
    void Clear ();

    // Counts one call of `operation`; answers the code it must fail with, or 0.
    GSErrCode Check (const std::string& operation);
    // Calls of `operation` seen so far (counted whether or not a rule exists).
    Int32 Calls (const std::string& operation) const;

private:
    struct Rule {
        GSErrCode code;
        Int32 first, count, seen;
    };
    std::map<std::string, Rule> rules;
    std::map<std::string, Int32> calls;
};

}   // namespace HostSim
