#include "Failures.h"

namespace HostSim {

void Failures::Fail (const std::string& operation, GSErrCode code, Int32 first, Int32 count)
{
    rules[operation] = Rule{code, first, count, 0};
}

void Failures::Clear () { rules.clear (); }

GSErrCode Failures::Check (const std::string& operation)
{
    ++calls[operation];
    auto it = rules.find (operation);
    if (it == rules.end ())
        return NoError;
    Rule& rule = it->second;
    const Int32 n = ++rule.seen;
    if (n < rule.first || (rule.count > 0 && n >= rule.first + rule.count))
        return NoError;
    return rule.code;
}

Int32 Failures::Calls (const std::string& operation) const
{
    auto it = calls.find (operation);
    return it == calls.end () ? 0 : it->second;
}

}   // namespace HostSim
