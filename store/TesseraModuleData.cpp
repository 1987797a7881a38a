// The add-on's module-data block. Grammar (no header, count, version or end record; records in
// any order; the block's length is exactly the sum of its records'):
//
//   block  = { record }
//   record = key NUL value NUL
//   key    = up to 255 bytes other than NUL      the library part's unique-ID text
//   value  = "%d" text of a detail-level value   optional '-', no '+', no spaces, no leading zeros
//   NUL    = the byte 0x00
//
// The project default detail level is an ordinary record under defaultDetLevGuid.
// Reading a block from disk trusts nothing:
//   - a value text that is not a number gets the running value: the last value read, 3 at first;
//   - a number outside 0..4 (what a stored level may be) drops its record; so does a key or value
//     text over 255 bytes, and a record cut off by the end of the block;
//   - a key met again keeps its first value; every other record of the block is kept;
//   - nothing past the block's size is read.
#include "TesseraModuleData.h"

#include "Dlg_ErrorMessage.h"
#include "gs/MemoryHandle.h"
#include "host/ACAPI.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr USize TextCapacity = 256;   // a key or value text: 255 bytes and the terminator
constexpr Int16 LowestStoredLevel = 0;
constexpr Int16 HighestStoredLevel = 4;

// Shared text buffers of the writer.
char guidStr[TextCapacity];
char numStr[TextCapacity];

enum class ValueKind { Number, NotANumber, OutOfRange };

// Reads a value text as "%hd" would: leading spaces, a sign, digits, and whatever follows ignored.
ValueKind ParseValue (const char* text, USize length, Int16* value)
{
    char buffer[TextCapacity];
    std::memcpy (buffer, text, length);
    buffer[length] = '\0';
    char* end = nullptr;
    errno = 0;
    const long number = std::strtol (buffer, &end, 10);
    if (end == buffer)
        return ValueKind::NotANumber;
    if (errno == ERANGE || number < LowestStoredLevel || number > HighestStoredLevel)
        return ValueKind::OutOfRange;
    *value = static_cast<Int16> (number);
    return ValueKind::Number;
}

// Adds the block's records to `table`. A null block holds no records.
void ParseBlock (GSHandle block, detLevValuesGuidIndex& table)
{
    const USize size = BMGetHandleSize (block);
    if (size == 0)
        return;
    const char* bytes = *block;
    Int16 running = DetLevKeep;
    USize pos = 0;
    while (pos < size) {
        const char* key = bytes + pos;
        const auto* keyEnd = static_cast<const char*> (std::memchr (key, '\0', size - pos));
        if (keyEnd == nullptr)
            break;   // a key cut off by the end of the block
        const USize keyLength = static_cast<USize> (keyEnd - key);
        const USize valuePos = pos + keyLength + 1;
        if (valuePos >= size)
            break;   // a key without its value
        const char* value = bytes + valuePos;
        const auto* valueEnd = static_cast<const char*> (std::memchr (value, '\0', size - valuePos));
        if (valueEnd == nullptr)
            break;   // a value cut off by the end of the block
        const USize valueLength = static_cast<USize> (valueEnd - value);
        pos = valuePos + valueLength + 1;

        if (keyLength >= TextCapacity || valueLength >= TextCapacity)
            continue;
        Int16 level = running;
        switch (ParseValue (value, valueLength, &level)) {
        case ValueKind::Number:
            running = level;
            break;
        case ValueKind::NotANumber:
            level = running;
            break;
        case ValueKind::OutOfRange:
            continue;
        }
        table.Add (GuidStr (key, keyLength), level);
    }
}

// Writes the value's "%d" text into numStr and answers its length.
USize NumberText (Int16 value)
{
    const int length = std::snprintf (numStr, sizeof numStr, "%d", static_cast<int> (value));
    return length > 0 ? static_cast<USize> (length) : 0;
}

}   // namespace

GSErrCode DataHandle_Write (GSHandle block)
{
    API_ModulData record{};
    record.dataVersion = TesseraModuleDataVersion;
    record.platformSign = TesseraPlatformSign;
    record.dataHdl = block;
    return ACAPI_ModulData_Store (&record);
}

GSErrCode DataHandle_Read (GSHandle* block)
{
    if (block == nullptr)
        return APIERR_BADPARS;
    *block = nullptr;
    API_ModulData record{};
    GSErrCode err = ACAPI_ModulData_GetInfo (&record);
    if (err == APIERR_NOMODULEDATA)
        return NoError;
    if (err != NoError)
        return err;
    err = ACAPI_ModulData_Get (&record);
    if (err != NoError)
        return err;
    if (record.dataVersion != TesseraModuleDataVersion) {
        BMKillHandle (&record.dataHdl);
        return APIERR_BADDATAVERSION;
    }
    *block = record.dataHdl;
    return NoError;
}

GSErrCode ReadValues (detLevValuesGuidIndex* table, const API_ModulData* record)
{
    if (table == nullptr)
        return APIERR_BADPARS;
    if (record != nullptr) {
        table->Clear ();
        ParseBlock (record->dataHdl, *table);
        return NoError;
    }
    GSHandle block = nullptr;
    const GSErrCode err = DataHandle_Read (&block);
    table->Clear ();
    if (err != NoError) {
        BMKillHandle (&block);
        if (err != APIERR_NOMODULEDATA) {
            Dlg_ErrorMessage message (err, "TesseraModuleData, ReadValues ()");
            message.Invoke ();
        }
        return err;
    }
    ParseBlock (block, *table);
    BMKillHandle (&block);
    return NoError;
}

GSErrCode WriteValues (detLevValuesGuidIndex* table, API_ModulData* record)
{
    if (table == nullptr)
        return APIERR_BADPARS;
    USize total = 0;
    for (const auto& pair : *table) {
        if (pair.value == DetLevNone)
            continue;
        std::strcpy (guidStr, pair.key.c_str ());
        total += std::strlen (guidStr) + 1 + NumberText (pair.value) + 1;
    }
    GSHandle block = BMAllocateHandle (total);
    if (block == nullptr)
        return ErrMemoryFull;
    char* out = *block;
    for (const auto& pair : *table) {
        if (pair.value == DetLevNone)
            continue;
        std::strcpy (guidStr, pair.key.c_str ());
        const USize keyLength = std::strlen (guidStr);
        const USize valueLength = NumberText (pair.value);
        std::memcpy (out, guidStr, keyLength + 1);
        out += keyLength + 1;
        std::memcpy (out, numStr, valueLength + 1);
        out += valueLength + 1;
    }
    if (record != nullptr) {
        record->dataHdl = block;
        return NoError;
    }
    const GSErrCode err = DataHandle_Write (block);
    BMKillHandle (&block);
    return err;
}

GSErrCode MergeHandlerProc (API_MDSetCmd command, const API_ModulData* first, const API_ModulData* second,
                            API_ModulData* destination)
{
    if (command != APIMDSetMerge || first == nullptr || second == nullptr || destination == nullptr)
        return NoError;
    try {
        detLevValuesGuidIndex merged;
        detLevValuesGuidIndex added;
        ReadValues (&merged, first);
        ReadValues (&added, second);
        for (const auto& pair : added)
            merged.Add (pair.key, pair.value);   // a key the first holds keeps the first's value
        WriteValues (&merged, destination);
    } catch (...) {
        // The host's merge must not see an exception; the destination keeps what it had.
    }
    return NoError;
}
