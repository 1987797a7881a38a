// The stand-in host's failure switch: makes a chosen operation answer a chosen error code, for
// tests of an add-on's failure paths. Operations are named as the add-on calls them
// ("ACAPI_Element_Get") or, for grouped operations, by their selector ("GDAT"). A rule fails the
// calls numbered `first` to `first + count - 1` (from 1) of that operation, counted from when the
// rule was set; count 0 means every call from `first` on.
//
// Every host operation passes through Check, so its common case (no rule) is a lookup by the
// name's address or the selector's code, not by the name's text.
#pragma once

#include "gs/GSTypes.h"

#include <map>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace HostSim {

class Failures {
public:
    void Fail (const std::string& operation, GSErrCode code, Int32 first = 1, Int32 count = 0);
    void Clear ();

    // Counts one call of `operation`; answers the code it must fail with, or 0.
    GSErrCode Check (const std::string& operation);
    // The same for a name that lives, unchanged, as long as the program (a literal).
    GSErrCode Check (const char* operation);
    // The same for a grouped operation, by its four-character selector.
    GSErrCode CheckSelector (UInt32 selector);
    // Calls of `operation` seen so far (counted whether or not a rule exists).
    Int32 Calls (const std::string& operation) const;
    // Every operation called so far with its number of calls, by name.
    std::vector<std::pair<std::string, Int32>> CallCounts () const;

private:
    struct Rule {
        GSErrCode code;
        Int32 first, count, seen;
    };
    struct Operation {
        Int32 calls = 0;
        bool hasRule = false;
        Rule rule{};
    };
    using Operations = std::map<std::string, Operation>;   // nodes stay put: the caches point into it

    GSErrCode Count (Operation& operation);

    // Names seen by address: a small direct-mapped cache in front of the map of addresses.
    struct Seen {
        const char* name = nullptr;
        Operation* operation = nullptr;
    };
    static constexpr size_t SeenSlots = 256;   // indexed by the top 8 bits of a multiplicative hash

    Operations operations;
    Seen seen[SeenSlots];
    std::unordered_map<const char*, Operation*> byAddress;
    std::unordered_map<UInt32, Operation*> bySelector;
};

}   // namespace HostSim
