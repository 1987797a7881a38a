#include "ModuleData.h"

ModuleData& ModuleData::Instance ()
{
    static ModuleData instance;
    return instance;
}

detLevValuesGuidIndex& ModuleData::GetDetLevValuesGuidIndexFromFile ()
{
    ReadIfNeeded ();
    return detLevValuesGuidIndex;
}

Int16 ModuleData::GetDefaultDetLevValueFromFile ()
{
    ReadIfNeeded ();
    return defaultDetLev;
}

void ModuleData::ClearReadFlag ()
{
    readFlag = false;
    ++generation;
}

void ModuleData::ReadIfNeeded ()
{
    if (readFlag)
        return;
    ReadValues ();
    readFlag = true;   // a failed read too: it is not retried until the project closes
}

GSErrCode ModuleData::ReadValues ()
{
    const GSErrCode err = ::ReadValues (&detLevValuesGuidIndex, nullptr);
    // Nothing stored is an empty table, not a damaged one.
    lastReadError = err == APIERR_NOMODULEDATA ? NoError : err;
    // A failed read falls back to "keep" rather than keeping another project's default.
    defaultDetLev = DetLevKeep;
    if (err != NoError)
        return err;
    if (const Int16* stored = detLevValuesGuidIndex.GetPtr (GuidStr (defaultDetLevGuid))) {
        if (*stored >= 0 && *stored <= DetLevKeep)
            defaultDetLev = *stored;
        detLevValuesGuidIndex.Delete (GuidStr (defaultDetLevGuid));
    }
    return NoError;
}
