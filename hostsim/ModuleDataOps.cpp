// Table entries for the add-ons' module data in the open project, and the call of an add-on's
// merge handler. The project keeps one block per add-on (by AddonClient::name) as exact bytes with
// its version and platform sign.
#include "Host.h"

#include "gs/MemoryHandle.h"

#include <cstring>

namespace HostSim {

namespace {

// A new block holding `bytes`; null when memory is short.
GSHandle NewBlock (const std::string& bytes)
{
    GSHandle block = BMAllocateHandle (bytes.size ());
    if (block != nullptr && !bytes.empty ())
        std::memcpy (*block, bytes.data (), bytes.size ());
    return block;
}

std::string BytesOf (GSHandle block)
{
    const USize size = BMGetHandleSize (block);
    return size == 0 ? std::string () : std::string (*block, size);
}

// Stores a copy of the record's block (a null block stores zero bytes); the block stays the caller's.
GSErrCode ModulDataStore (API_Client c, const API_ModulData* record)
{
    Host& host = Host::Of (c);
    if (GSErrCode e = host.failures.Check ("ACAPI_ModulData_Store"))
        return e;
    if (record == nullptr)
        return APIERR_BADPARS;
    ModuleDataBlock stored;
    stored.version = record->dataVersion;
    stored.platformSign = record->platformSign;
    stored.bytes = BytesOf (record->dataHdl);
    host.project.moduleData[Host::ClientOf (c).name] = std::move (stored);
    return NoError;
}

// The calling add-on's block in the open project, or null when it stores none.
const ModuleDataBlock* StoredBlock (API_Client c)
{
    const auto& blocks = Host::Of (c).project.moduleData;
    auto it = blocks.find (Host::ClientOf (c).name);
    return it == blocks.end () ? nullptr : &it->second;
}

// Version and platform sign of the stored block; the record's block field is left alone.
GSErrCode ModulDataGetInfo (API_Client c, API_ModulData* record)
{
    Host& host = Host::Of (c);
    if (GSErrCode e = host.failures.Check ("ACAPI_ModulData_GetInfo"))
        return e;
    if (record == nullptr)
        return APIERR_BADPARS;
    const ModuleDataBlock* stored = StoredBlock (c);
    if (stored == nullptr)
        return APIERR_NOMODULEDATA;
    record->dataVersion = stored->version;
    record->platformSign = stored->platformSign;
    return NoError;
}

// Version, sign and a new copy of the stored block, which the caller releases.
GSErrCode ModulDataGet (API_Client c, API_ModulData* record)
{
    Host& host = Host::Of (c);
    if (GSErrCode e = host.failures.Check ("ACAPI_ModulData_Get"))
        return e;
    if (record == nullptr)
        return APIERR_BADPARS;
    const ModuleDataBlock* stored = StoredBlock (c);
    if (stored == nullptr)
        return APIERR_NOMODULEDATA;
    GSHandle block = NewBlock (stored->bytes);
    if (block == nullptr)
        return APIERR_GENERAL;
    record->dataVersion = stored->version;
    record->platformSign = stored->platformSign;
    record->dataHdl = block;
    return NoError;
}

}   // namespace

GSErrCode Host::CallMergeHandler (AddonClient& client, API_MDSetCmd command, const ModuleDataBlock& first,
                                  const ModuleDataBlock& second, ModuleDataBlock* destination)
{
    if (client.mergeHandler == nullptr || destination == nullptr)
        return APIERR_GENERAL;
    API_ModulData firstRecord{};
    API_ModulData secondRecord{};
    API_ModulData destinationRecord{};
    firstRecord.dataVersion = first.version;
    firstRecord.platformSign = first.platformSign;
    firstRecord.dataHdl = NewBlock (first.bytes);
    secondRecord.dataVersion = second.version;
    secondRecord.platformSign = second.platformSign;
    secondRecord.dataHdl = NewBlock (second.bytes);
    destinationRecord.dataVersion = first.version;
    destinationRecord.platformSign = first.platformSign;
    if (firstRecord.dataHdl == nullptr || secondRecord.dataHdl == nullptr) {
        BMKillHandle (&firstRecord.dataHdl);
        BMKillHandle (&secondRecord.dataHdl);
        return APIERR_GENERAL;
    }

    const GSErrCode result = client.mergeHandler (command, &firstRecord, &secondRecord, &destinationRecord);

    if (destinationRecord.dataHdl != nullptr) {
        destination->version = destinationRecord.dataVersion;
        destination->platformSign = destinationRecord.platformSign;
        destination->bytes = BytesOf (destinationRecord.dataHdl);
        BMKillHandle (&destinationRecord.dataHdl);
    }
    BMKillHandle (&firstRecord.dataHdl);
    BMKillHandle (&secondRecord.dataHdl);
    return result;
}

void InstallModuleDataOps (Host&, API_HostTable& table)
{
    table.modulDataStore = &ModulDataStore;
    table.modulDataGetInfo = &ModulDataGetInfo;
    table.modulDataGet = &ModulDataGet;
}

}   // namespace HostSim
