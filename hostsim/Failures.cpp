#include "Failures.h"

#include "Host.h"

#include <cstdint>

namespace HostSim {

void Failures::Fail (const std::string& operation, GSErrCode code, Int32 first, Int32 count)
{
    Operation& entry = operations[operation];
    entry.hasRule = true;
    entry.rule = Rule{code, first, count, 0};
}

void Failures::Clear ()
{
    for (auto& entry : operations)
        entry.second.hasRule = false;
}

GSErrCode Failures::Count (Operation& operation)
{
    ++operation.calls;
    if (!operation.hasRule)
        return NoError;
    Rule& rule = operation.rule;
    const Int32 n = ++rule.seen;
    if (n < rule.first || (rule.count > 0 && n >= rule.first + rule.count))
        return NoError;
    return rule.code;
}

GSErrCode Failures::Check (const std::string& operation)
{
    return Count (operations[operation]);
}

GSErrCode Failures::Check (const char* operation)
{
    Seen& slot = seen[(reinterpret_cast<uintptr_t> (operation) * 0x9E3779B97F4A7C15ull) >> 56];
    if (slot.name == operation)
        return Count (*slot.operation);
    auto cached = byAddress.find (operation);
    Operation* entry = cached != byAddress.end () ? cached->second : &operations[operation];
    byAddress[operation] = entry;
    slot = Seen{operation, entry};
    return Count (*entry);
}

GSErrCode Failures::CheckSelector (UInt32 selector)
{
    auto cached = bySelector.find (selector);
    if (cached != bySelector.end ())
        return Count (*cached->second);
    Operation& entry = operations[SelectorName (selector)];
    bySelector[selector] = &entry;
    return Count (entry);
}

Int32 Failures::Calls (const std::string& operation) const
{
    auto it = operations.find (operation);
    return it == operations.end () ? 0 : it->second.calls;
}

std::vector<std::pair<std::string, Int32>> Failures::CallCounts () const
{
    std::vector<std::pair<std::string, Int32>> counts;
    for (const auto& [name, entry] : operations)
        if (entry.calls > 0)
            counts.emplace_back (name, entry.calls);
    return counts;
}

}   // namespace HostSim
