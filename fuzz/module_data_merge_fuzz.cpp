// Fuzz target: the add-on's merge handler, called by the host on two arbitrary blocks.
// Input: one byte choosing the command (below 0x80: the merge, 13; otherwise the low seven bits),
// two bytes giving the first block's length (little-endian, cut to what is there), the first
// block, then the second block. The merged block must hold every sound record of the first block
// and those of the second whose keys the first lacks, nothing else, in canonical form; any other
// command must leave the destination alone.
#include "FuzzHost.h"
#include "ModuleDataCheck.h"

#include "store/TesseraModuleData.h"

#include <set>

namespace {

using FuzzSupport::Check;
using FuzzSupport::Levels;

}   // namespace

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    if (size < 3)
        return 0;
    FuzzSupport::Session& session = FuzzSupport::Bound ();
    if (session.client->mergeHandler == nullptr)
        session.client->mergeHandler = &MergeHandlerProc;

    const API_MDSetCmd command = data[0] < 0x80 ? APIMDSetMerge : (data[0] & 0x7F);
    size_t firstLength = data[1] | (static_cast<size_t> (data[2]) << 8);
    const std::string rest (reinterpret_cast<const char*> (data + 3), size - 3);
    if (firstLength > rest.size ())
        firstLength = rest.size ();
    HostSim::ModuleDataBlock first{TesseraModuleDataVersion, TesseraPlatformSign, rest.substr (0, firstLength)};
    HostSim::ModuleDataBlock second{TesseraModuleDataVersion, TesseraPlatformSign, rest.substr (firstLength)};
    const HostSim::ModuleDataBlock untouched{7, 0x1234, std::string ("\x01\x02", 2)};
    HostSim::ModuleDataBlock destination = untouched;

    const GSErrCode result = session.host.CallMergeHandler (*session.client, command, first, second, &destination);
    Check (result == NoError, "the merge handler always answers 0");

    if (command != APIMDSetMerge) {
        Check (destination.bytes == untouched.bytes && destination.version == untouched.version,
               "another command leaves the destination alone");
        return 0;
    }
    Levels expected = FuzzSupport::ReferenceRead (first.bytes);
    std::set<std::string> keys;
    for (const auto& pair : expected)
        keys.insert (pair.first);
    for (const auto& pair : FuzzSupport::ReferenceRead (second.bytes))
        if (keys.insert (pair.first).second)
            expected.push_back (pair);
    Check (FuzzSupport::IsCanonicalBlock (destination.bytes), "the merged block is key NUL level NUL records");
    Check (FuzzSupport::ReferenceRead (destination.bytes) == expected,
           "the merged block holds the first block's records and the second's new keys");
    return 0;
}
