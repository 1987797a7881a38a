#include "SelectSelItems.h"

#include "census/DatabaseChange.h"
#include "gs/MemoryHandle.h"
#include "host/ACAPI.h"
#include "shell/APICommon.h"

#include <cstring>

SelectSelItems::SelectSelItems ()
{
    block = BMAllocateHandle (0);
}

SelectSelItems::~SelectSelItems ()
{
    if (total > 0 && block != nullptr) {
        KillOldSelection ();
        ACAPI_Element_Select (reinterpret_cast<API_Neig**> (block), total, true);
    }
    BMKillHandle (&block);
}

void SelectSelItems::Init (Int32 expected)
{
    batchCount = 0;
    batchSize = expected > 0 ? expected : 0;
    batch.reset (new API_Neig[static_cast<size_t> (batchSize)]);
}

void SelectSelItems::Inc (const API_Element& element)
{
    if (batchCount >= batchSize)
        return;
    API_Neig neig;
    std::memset (&neig, 0, sizeof neig);
    if (!ElemHead_To_Neig (&neig, &element.header))
        return;   // a kind the host cannot select
    batch[static_cast<size_t> (batchCount++)] = neig;
}

void SelectSelItems::Add ()
{
    if (batchCount > 0 && block != nullptr) {
        const USize grown = (static_cast<USize> (total) + static_cast<USize> (batchCount)) * sizeof (API_Neig);
        if (BMReallocHandle (block, grown) == NoError) {
            std::memcpy (*block + static_cast<USize> (total) * sizeof (API_Neig), batch.get (),
                         static_cast<USize> (batchCount) * sizeof (API_Neig));
            total += batchCount;
        }
    }
    batch.reset ();
    batchCount = 0;
    batchSize = 0;
}
