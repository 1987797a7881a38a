// SelectSelItems: collects the elements a selection run chose and hands them to the host in one
// selection call. Init sizes one batch for the run's candidates, Inc appends an element's
// reference, Add moves the batch into a growing host memory block; the destructor, when anything
// was collected, drops the old selection (a marquee stays) and selects the collected elements.
//
// Ownership: the collector owns its block and batch and frees both with itself. Failure: an
// element without a selection reference, one past the batch's size, or a block that cannot grow
// is left out, so the host is never handed a reference that is not in the block; nothing collected
// means no deselection and no selection call, and the previous selection stays. Host results are
// ignored.
//
// Also here, the two pieces of the selection run outside SizeList: IsBtwnSelListItems, which tells
// whether an element belongs to a chosen row, and the free function DatabaseChange, which makes
// the floor plan the current database for good (the census' scope class of the same name restores
// it; where both are visible that one is spelled `class DatabaseChange`).
// Host main thread only.
#pragma once

#include "api/APIdefs.h"

#include <memory>

class SelectSelItems {
public:
    SelectSelItems ();
    ~SelectSelItems ();
    SelectSelItems (const SelectSelItems&) = delete;
    SelectSelItems& operator= (const SelectSelItems&) = delete;

    // Starts a batch for at most `expected` references.
    void Init (Int32 expected);
    void Inc (const API_Element& element);
    // Appends the batch to the block.
    void Add ();

    Int32 GetTotal () const { return total; }

private:
    Int32 total = 0;
    GSHandle block = nullptr;
    std::unique_ptr<API_Neig[]> batch;
    Int32 batchCount = 0;
    Int32 batchSize = 0;
};

// The element belongs to a row chosen in the last selection run: its type's root row (stairs
// only by the stairs row) or its library part's row.
bool IsBtwnSelListItems (const API_Element& element);

// Makes the floor plan the current database and leaves it so.
void DatabaseChange ();
