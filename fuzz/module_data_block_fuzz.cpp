// Fuzz target: the module-data block reader over arbitrary bytes. The bytes are read as a record's
// block and as the open project's stored block; both readings must match an independent reading of
// the block's grammar, and what the add-on writes back from them must read back the same.
#include "FuzzHost.h"
#include "ModuleDataCheck.h"

#include "gs/MemoryHandle.h"
#include "store/ModuleData.h"

#include <cstring>

namespace {

using FuzzSupport::Check;
using FuzzSupport::Levels;

Levels LevelsOf (const detLevValuesGuidIndex& table)
{
    Levels levels;
    for (const auto& pair : table)
        levels.emplace_back (pair.key.c_str (), pair.value);
    return levels;
}

std::string BytesOf (GSHandle block)
{
    const USize size = BMGetHandleSize (block);
    return size == 0 ? std::string () : std::string (*block, size);
}

}   // namespace

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    FuzzSupport::Session& session = FuzzSupport::Bound ();
    const std::string bytes (reinterpret_cast<const char*> (data), size);
    const Levels expected = FuzzSupport::ReferenceRead (bytes);

    // A record handed in by the host: parsed in place, the block stays the record's.
    API_ModulData record{};
    record.dataVersion = TesseraModuleDataVersion;
    record.dataHdl = BMAllocateHandle (static_cast<USize> (size));
    Check (record.dataHdl != nullptr, "the block could be allocated");
    if (size > 0)
        std::memcpy (*record.dataHdl, data, size);
    detLevValuesGuidIndex table;
    Check (ReadValues (&table, &record) == NoError, "reading a record's block succeeds");
    Check (BytesOf (record.dataHdl) == bytes, "reading leaves the record's block as it was");
    BMKillHandle (&record.dataHdl);
    Check (LevelsOf (table) == expected, "the reader keeps exactly the block's sound records");

    // What the add-on writes from that table is in canonical form and reads back the same.
    API_ModulData written{};
    Check (WriteValues (&table, &written) == NoError, "writing into a record succeeds");
    const std::string block = BytesOf (written.dataHdl);
    BMKillHandle (&written.dataHdl);
    Check (FuzzSupport::IsCanonicalBlock (block), "a written block is key NUL level NUL records");
    Check (FuzzSupport::ReferenceRead (block) == expected, "a written block reads back the same");

    // The same bytes stored in the open project, read through the host.
    session.host.project.moduleData[session.client->name] = {TesseraModuleDataVersion, TesseraPlatformSign, bytes};
    ModuleData& stored = ModuleData::Instance ();
    stored.ClearReadFlag ();
    Levels rest;
    Int16 defaultLevel = DetLevKeep;
    for (const auto& [key, level] : expected) {
        if (key != defaultDetLevGuid)
            rest.emplace_back (key, level);
        else if (level <= DetLevKeep)
            defaultLevel = level;
    }
    Check (LevelsOf (stored.GetDetLevValuesGuidIndexFromFile ()) == rest, "the project's table leaves out the default");
    Check (stored.GetDefaultDetLevValueFromFile () == defaultLevel, "the project's default comes from its record");
    Check (stored.LastReadError () == NoError, "reading the project's block succeeds");
    return 0;
}
