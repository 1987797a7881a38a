// The project's stored detail levels: the detail-level table, the byte format of the add-on's
// module-data block, its reading and writing through the host, and the merge handler the host
// calls when it merges two sets of module data. The format is written down at the top of
// TesseraModuleData.cpp.
//
// Ownership: a block read from the host is released here; a block built for a record passes to
// the record; the host keeps its own copy of a stored block. Failures answer the host's code; a
// read that fails for any reason but "nothing stored" also shows the error dialog. A damaged block
// never fails: its unreadable records are left out. Host main thread only (static buffers).
#pragma once

#include "api/APIdefs.h"
#include "census/GuidStr.h"
#include "gs/HashTable.h"

// Library part's unique-ID text -> detail-level value (0..2 a level, 3 keep, 4 default, 5 none).
// Unique keys: a second Add of a key keeps the first value.
using detLevValuesGuidIndex = GS::HashTable<GuidStr, Int16>;

// The key under which the block stores the project default detail level. In memory it never
// stays in a table: readers move its value out, the store puts it in only while writing.
constexpr char defaultDetLevGuid[] = "{9349160F-1FF1-4be3-9909-314107CCB286}";

constexpr Int32 TesseraModuleDataVersion = 2;
constexpr UInt16 TesseraPlatformSign = 0x4D4D;
constexpr Int16 DetLevNone = 5;   // no detail parameter recognised; never stored
constexpr Int16 DetLevKeep = 3;   // leave placements as they are; the default of defaults

// Stores `block` as the add-on's module data of the open project; the block stays the caller's.
GSErrCode DataHandle_Write (GSHandle block);
// Fetches the add-on's module data of the open project into `*block` (null when nothing is
// stored, answering 0); the caller releases it. A block of another version is refused with
// APIERR_BADDATAVERSION.
GSErrCode DataHandle_Read (GSHandle* block);

// Fills `table` (cleared first, whatever happens) from the record's block, parsed in place and left
// to the record, answering 0; or, with no record, from the project's block, answering
// DataHandle_Read's code and showing the error dialog for any failure but APIERR_NOMODULEDATA.
GSErrCode ReadValues (detLevValuesGuidIndex* table, const API_ModulData* record = nullptr);
// Builds a block from `table` (entries at 5 left out). With a record, the block becomes the
// record's (ownership passes) and 0 is answered; with none, it is stored and released, and the
// store's code is answered.
GSErrCode WriteValues (detLevValuesGuidIndex* table, API_ModulData* record = nullptr);

// The host's merge of two blocks into a destination record: for command 13 the first record's
// entries win and the second's are added where the first has none; other commands touch nothing.
// Always answers 0.
GSErrCode MergeHandlerProc (API_MDSetCmd command, const API_ModulData* first, const API_ModulData* second,
                            API_ModulData* destination);
