// Data: the live settings of the open project: the palette's scope choices, the project default
// detail level and the live detail-level table that the census reads, the change dialog edits and
// the census rows are copied back into. WriteToModule stores the table and the default as the
// project's module data.
//
// The singleton lives from first use until unload and owns its table. It follows the open project:
// the first Instance () after a project closed (ModuleData::ClearReadFlag) rebuilds the table and
// the default from the new project's stored copy, so no project's levels reach another's block.
// The scope fields are the palette's and are kept. A store answers the host's code and leaves the
// table as it was; it refuses (answering the read's code) to overwrite a stored block that could
// not be read, so a damaged read never costs the project its stored levels.
// Host main thread only.
#pragma once

#include "TesseraModuleData.h"

class Data {
public:
    static Data& Instance ();
    ~Data ();

    // Copies the current census rows' levels into the table and the census' default into
    // defaultDetLev; nothing changes when no census has run since the project opened.
    void WriteBackToDetLevValuesGuidIndexFC ();
    // Copies back, then stores the table with the default record; answers the store's code.
    GSErrCode WriteToModule ();

    bool useMarquee = false;
    bool allStories = false;
    Int32 fromStory = 0;
    Int32 toStory = 0;
    Int16 defaultDetLev = DetLevKeep;
    ::detLevValuesGuidIndex detLevValuesGuidIndex;   // never holds defaultDetLevGuid outside a store

private:
    Data ();
    Data (const Data&) = delete;
    Data& operator= (const Data&) = delete;

    // Takes the table and the default from the open project's stored copy.
    void RebuildFromStoredCopy ();

    UInt32 generation = 0;                 // ModuleData's generation the table was built for
    GSErrCode storedCopyError = NoError;   // the stored copy could not be read: do not overwrite it
};
