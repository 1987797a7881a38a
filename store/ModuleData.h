// ModuleData: what the open project stores of this add-on (the detail-level table and the project
// default detail level), read from the host on first demand and kept until the project closes.
//
// The singleton lives from first use until unload and owns its table; the getters hand out a
// reference to it. A failed read (the error dialog has been shown) leaves an empty table and the
// default 3, and is not retried until ClearReadFlag. ClearReadFlag also starts a new project
// generation, which tells the live settings (Data) to rebuild from the next project's stored copy.
// Host main thread only.
#pragma once

#include "TesseraModuleData.h"

class ModuleData {
public:
    static ModuleData& Instance ();

    // The stored table (without the default record) and the stored default (0..3; 3 when the
    // project stores none or a value out of range); the project is read first when not yet read.
    ::detLevValuesGuidIndex& GetDetLevValuesGuidIndexFromFile ();
    Int16 GetDefaultDetLevValueFromFile ();

    // The next getter reads the project again: call when the project closes.
    void ClearReadFlag ();
    // Reads the project into the singleton; answers the host's code (0, or the failure shown).
    GSErrCode ReadValues ();

    // The code of the last read: 0 when the project's block was read or nothing is stored.
    GSErrCode LastReadError () const { return lastReadError; }
    // Changes with every ClearReadFlag: one value per opened project.
    UInt32 Generation () const { return generation; }

    ::detLevValuesGuidIndex detLevValuesGuidIndex;
    Int16 defaultDetLev = DetLevKeep;
    bool readFlag = false;

private:
    ModuleData () = default;
    ModuleData (const ModuleData&) = delete;
    ModuleData& operator= (const ModuleData&) = delete;

    void ReadIfNeeded ();

    GSErrCode lastReadError = NoError;
    UInt32 generation = 0;
};
