#include "Data.h"

#include "ModuleData.h"
#include "census/RefreshData.h"

Data::Data ()
{
    RebuildFromStoredCopy ();
}

Data::~Data ()
{
    detLevValuesGuidIndex.Clear ();
}

Data& Data::Instance ()
{
    static Data instance;
    if (instance.generation != ModuleData::Instance ().Generation ())
        instance.RebuildFromStoredCopy ();
    return instance;
}

void Data::RebuildFromStoredCopy ()
{
    ModuleData& stored = ModuleData::Instance ();
    generation = stored.Generation ();
    detLevValuesGuidIndex.Clear ();
    for (const auto& pair : stored.GetDetLevValuesGuidIndexFromFile ())
        detLevValuesGuidIndex.Add (pair.key, pair.value);
    defaultDetLev = stored.GetDefaultDetLevValueFromFile ();
    storedCopyError = stored.LastReadError ();
}

void Data::WriteBackToDetLevValuesGuidIndexFC ()
{
    const RefreshData* census = RefreshData::current;
    if (census == nullptr)
        return;
    // A part whose level the census could not settle (the host failed to answer) keeps what the
    // project stores: a failed call must not cost it its level.
    for (const auto& type : census->sortedGsms)
        for (const LibRow& row : type.value)
            if (!census->levelUnknown.ContainsKey (row.guid))
                detLevValuesGuidIndex.Put (row.guid, row.detLev);
    defaultDetLev = census->defaultDetLev;
}

GSErrCode Data::WriteToModule ()
{
    WriteBackToDetLevValuesGuidIndexFC ();
    if (storedCopyError != NoError)
        return storedCopyError;
    const GuidStr defaultKey (defaultDetLevGuid);
    // The default key lives in the table only for the store, also when the store throws.
    struct DefaultRecord {
        ::detLevValuesGuidIndex& table;
        const GuidStr& key;
        ~DefaultRecord () { table.Delete (key); }
    } defaultRecord{detLevValuesGuidIndex, defaultKey};
    detLevValuesGuidIndex.Put (defaultKey, defaultDetLev);
    return WriteValues (&detLevValuesGuidIndex, nullptr);
}
