// Table entries for the selection and marquee, answered from the project's selection, and the
// 'NTOE' conversion from a selection reference kind to an element type.
//
// ACAPI_Selection_Get hands out new blocks the caller releases: the marquee's corner points (pairs
// of doubles; a marquee only) and, when asked, the references (API_Neig) of the selected elements
// that still exist and have a reference kind. Nothing selected answers APIERR_NOSEL with kind 0.
// ACAPI_Element_Select checks every reference before it changes anything: an unknown kind, a
// missing element or a count beyond the block answers APIERR_BADPARS and the selection stays.
#include "Host.h"

#include "gs/MemoryHandle.h"

#include <algorithm>
#include <cstring>
#include <unordered_set>

namespace HostSim {

namespace {

// Reference kind and sub-index of each element type that can be selected; kind 0: none.
struct NeigKind {
    Int32 kind;
    Int16 inIndex;
};

constexpr NeigKind neigKinds[] = {
    {0, 0},                                                 // 0
    {1, 1},  {5, 0},  {6, 1},  {10, 0}, {12, 0}, {13, 1},   // 1 .. 6
    {14, 1}, {15, 1}, {17, 1}, {20, 1}, {26, 1}, {27, 1},   // 7 .. 12
    {28, 1}, {30, 1}, {31, 1}, {32, 1}, {33, 1}, {37, 1},   // 13 .. 18
    {39, 1}, {41, 1}, {43, 1}, {45, 1}, {47, 1}, {49, 1},   // 19 .. 24
    {50, 1}, {52, 1}, {0, 0},  {0, 0},  {0, 0},  {0, 0},    // 25 .. 30
    {56, 1}, {57, 1},                                       // 31, 32
};
constexpr API_ElemTypeID neigTypeCount = static_cast<API_ElemTypeID> (sizeof neigKinds / sizeof neigKinds[0]);

const NeigKind* NeigKindOf (API_ElemTypeID type)
{
    if (type < 0 || type >= neigTypeCount || neigKinds[type].kind == 0)
        return nullptr;
    return &neigKinds[type];
}

// The element type of a reference kind; 0 when no type has it.
API_ElemTypeID ElemTypeOf (Int32 kind)
{
    if (kind == 0)
        return 0;
    for (API_ElemTypeID type = 0; type < neigTypeCount; ++type)
        if (neigKinds[type].kind == kind)
            return type;
    return 0;
}

UInt64 Key (API_ElemTypeID type, Int32 index)
{
    return (UInt64 (UInt32 (type)) << 32) | UInt32 (index);
}

GSErrCode SelectionGet (API_Client c, API_SelectionInfo* info, API_Neig*** neigs, bool onlyEditable)
{
    Host& host = Host::Of (c);
    if (neigs != nullptr)
        *neigs = nullptr;
    if (GSErrCode e = host.failures.Check ("ACAPI_Selection_Get"))
        return e;
    if (info == nullptr)
        return APIERR_BADPARS;
    std::memset (info, 0, sizeof (API_SelectionInfo));
    const Selection& selection = host.project.selection;
    const bool marquee = selection.kind >= 2;

    // The references, sized for every selected element and cut back to the ones that qualify.
    GSHandle block = BMAllocateHandle (selection.elements.size () * sizeof (API_Neig));
    if (block == nullptr)
        return APIERR_GENERAL;
    auto* refs = reinterpret_cast<API_Neig*> (*block);
    Int32 count = 0;
    for (const auto& [type, index] : selection.elements) {
        const Element* element = host.project.FindElement (type, index);
        const NeigKind* kind = NeigKindOf (type);
        if (element == nullptr || kind == nullptr || (onlyEditable && !element->ownWorkspace))
            continue;
        API_Neig& ref = refs[count++];
        ref.neigID = kind->kind;
        ref.index = index;
        ref.inIndex = kind->inIndex;
    }
    if (!marquee && count == 0) {
        BMKillHandle (&block);
        return APIERR_NOSEL;
    }
    BMReallocHandle (block, static_cast<USize> (count) * sizeof (API_Neig));   // shrinking keeps the bytes

    if (marquee) {
        info->marquee = BMAllocateHandle (selection.polygon.size () * 2 * sizeof (double));
        if (info->marquee == nullptr) {
            BMKillHandle (&block);
            return APIERR_GENERAL;
        }
        auto* coords = reinterpret_cast<double*> (*info->marquee);
        for (size_t i = 0; i < selection.polygon.size (); ++i) {
            coords[2 * i] = selection.polygon[i].first;
            coords[2 * i + 1] = selection.polygon[i].second;
        }
    }
    info->typeID = marquee ? selection.kind : 1;
    info->sel_nElem = count;
    info->multiStory = marquee && selection.multiStory ? 1 : 0;
    if (neigs != nullptr)
        *neigs = reinterpret_cast<API_Neig**> (block);
    else
        BMKillHandle (&block);
    return NoError;
}

GSErrCode ElementSelect (API_Client c, API_Neig** neigs, Int32 count, bool add)
{
    Host& host = Host::Of (c);
    if (GSErrCode e = host.failures.Check ("ACAPI_Element_Select"))
        return e;
    if (count < 0)
        return APIERR_BADPARS;
    if (count == 0)
        return NoError;
    const GSHandle block = reinterpret_cast<GSHandle> (neigs);
    if (block == nullptr || BMGetHandleSize (block) / sizeof (API_Neig) < static_cast<USize> (count))
        return APIERR_BADPARS;

    const auto* refs = reinterpret_cast<const API_Neig*> (*block);
    std::vector<std::pair<API_ElemTypeID, Int32>> named;
    named.reserve (static_cast<size_t> (count));
    for (Int32 i = 0; i < count; ++i) {
        const API_ElemTypeID type = ElemTypeOf (refs[i].neigID);
        if (type == 0 || host.project.FindElement (type, refs[i].index) == nullptr)
            return APIERR_BADPARS;
        named.emplace_back (type, refs[i].index);
    }

    Selection& selection = host.project.selection;
    if (add) {
        std::unordered_set<UInt64> present;
        present.reserve (selection.elements.size () + named.size ());
        for (const auto& [type, index] : selection.elements)
            present.insert (Key (type, index));
        for (const auto& element : named)
            if (present.insert (Key (element.first, element.second)).second)
                selection.elements.push_back (element);
    } else {
        std::unordered_set<UInt64> removed;
        removed.reserve (named.size ());
        for (const auto& [type, index] : named)
            removed.insert (Key (type, index));
        auto& elements = selection.elements;
        auto kept = std::remove_if (elements.begin (), elements.end (), [&] (const auto& element) {
            return removed.count (Key (element.first, element.second)) != 0;
        });
        elements.erase (kept, elements.end ());
    }
    if (selection.kind < 2) {   // a marquee stays a marquee
        selection.kind = selection.elements.empty () ? 0 : 1;
        selection.multiStory = false;
    }
    return NoError;
}

// 'NTOE': par1 Int32* reference kind, par2 API_ElemTypeID* answer.
GSErrCode NeigToElemType (Host&, AddonClient&, void* par1, void* par2)
{
    const auto* kind = static_cast<const Int32*> (par1);
    auto* type = static_cast<API_ElemTypeID*> (par2);
    if (kind == nullptr || type == nullptr)
        return APIERR_BADPARS;
    const API_ElemTypeID answer = ElemTypeOf (*kind);
    if (answer == 0)
        return APIERR_BADPARS;
    *type = answer;
    return NoError;
}

}   // namespace

void InstallSelectionOps (Host& host, API_HostTable& table)
{
    table.selectionGet = &SelectionGet;
    table.elementSelect = &ElementSelect;
    host.RegisterSelector (OpGroup::Goodies, APIAny_NeigIDToElemTypeID, &NeigToElemType);
}

}   // namespace HostSim
