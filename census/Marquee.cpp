#include "Marquee.h"

#include "gs/MemoryHandle.h"
#include "host/ACAPI.h"

#include <algorithm>
#include <cstring>

namespace {

// The element types a whole-model census visits, in order.
constexpr API_ElemTypeID WholeModelTypes[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 17};

// The pairs of the selected elements, in selection order.
void GatherSelection (std::vector<Marquee::Candidate>& pairs)
{
    API_SelectionInfo info;
    std::memset (&info, 0, sizeof info);
    API_Neig** neigs = nullptr;
    ACAPI_Selection_Get (&info, &neigs, false);
    BMKillHandle (&info.marquee);
    if (neigs == nullptr)
        return;
    // Never trust the count beyond the block the host handed out.
    const USize inBlock = BMGetHandleSize (reinterpret_cast<GSHandle> (neigs)) / sizeof (API_Neig);
    const USize count = std::min<USize> (info.sel_nElem > 0 ? static_cast<USize> (info.sel_nElem) : 0, inBlock);
    pairs.reserve (count);
    for (USize i = 0; i < count; ++i) {
        const API_Neig& neig = (*neigs)[i];
        Int32 kind = neig.neigID;
        API_ElemTypeID type = 0;
        if (ACAPI_Goodies (APIAny_NeigIDToElemTypeID, &kind, &type) != NoError)
            continue;   // a kind the host cannot name is no element to visit
        pairs.emplace_back (type, neig.index);
    }
    GSHandle block = reinterpret_cast<GSHandle> (neigs);
    BMKillHandle (&block);
}

// (type, 1) .. (type, count) for every whole-model type.
void GatherWholeModel (std::vector<Marquee::Candidate>& pairs)
{
    Int32 counts[sizeof WholeModelTypes / sizeof WholeModelTypes[0]] = {};
    USize total = 0;
    for (size_t t = 0; t < sizeof WholeModelTypes / sizeof WholeModelTypes[0]; ++t) {
        Int32 count = 0;
        ACAPI_Element_GetNum (WholeModelTypes[t], &count);
        counts[t] = std::max<Int32> (count, 0);
        total += static_cast<USize> (counts[t]);
    }
    pairs.reserve (total);
    for (size_t t = 0; t < sizeof WholeModelTypes / sizeof WholeModelTypes[0]; ++t)
        for (Int32 index = 1; index <= counts[t]; ++index)
            pairs.emplace_back (WholeModelTypes[t], index);
}

}   // namespace

Marquee::Marquee (bool useSelection, bool wholeModel)
{
    std::memset (&selectionInfo, 0, sizeof selectionInfo);
    ACAPI_Selection_Get (&selectionInfo, nullptr, false);
    BMKillHandle (&selectionInfo.marquee);

    // Whole-model pairs come sorted and each once by construction; a selection comes in the
    // user's order and may name an element twice.
    std::vector<Candidate> pairs;
    if (selectionInfo.typeID > 0 && useSelection && !wholeModel) {
        GatherSelection (pairs);
        if (!std::is_sorted (pairs.begin (), pairs.end ()))
            std::sort (pairs.begin (), pairs.end ());
        pairs.erase (std::unique (pairs.begin (), pairs.end ()), pairs.end ());
    } else {
        GatherWholeModel (pairs);
    }
    candidates = std::move (pairs);
}

Marquee::~Marquee () = default;

bool Marquee::MultiSt () const
{
    return selectionInfo.typeID <= 1 || selectionInfo.multiStory != 0;
}
