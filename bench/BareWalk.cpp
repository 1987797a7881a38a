#include "BareWalk.h"

#include "gs/MemoryHandle.h"
#include "host/ACAPI.h"

#include <algorithm>
#include <cstring>

namespace Bench {

namespace {

// The kinds a whole-model census visits, in its order.
constexpr API_ElemTypeID WalkTypes[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 17};
constexpr Int32 ShownLayerFilter = 2;

// Polygons of the bodies of the model the host builds for the element; appends them to `record`.
Int64 BodiesOf (API_ElemTypeID type, Int32 index, FlatCounts* record)
{
    static API_ElemInfo3D info;
    static API_Component3D component;
    Int64 sum = 0;
    if (ACAPI_Element_Get3DInfo (type, index, &info) == NoError) {
        for (Int64 body = info.fbody; body <= info.lbody; ++body) {
            component.typeID = API_BodyComponentKind;
            component.index = static_cast<Int32> (body);
            if (ACAPI_3D_GetComponent (&component) == NoError) {
                sum += component.nPgon;
                if (record != nullptr)
                    record->polygons.push_back (component.nPgon);
            }
        }
    }
    if (record != nullptr)
        record->ends.push_back (static_cast<UInt32> (record->polygons.size ()));
    return sum;
}

// Writes `change` into the placement's detail parameter the way a census does.
bool ChangePlacement (API_Element& element, const DetailChange& change)
{
    API_ParamOwnerType owner{};
    owner.typeID = element.header.typeID;
    owner.index = element.header.index;
    if (ACAPI_Goodies (APIAny_OpenParametersID, &owner) != NoError)
        return false;
    API_GetParamsType params{};
    bool accepted = false;
    if (ACAPI_Goodies (APIAny_GetActParametersID, &params) == NoError) {
        ACAPI_DisposeAddParHdl (&params.params);
        API_ChangeParamType chgParam{};
        std::strncpy (chgParam.name, change.paramName.c_str (), sizeof chgParam.name - 1);
        chgParam.uStrValue = new char[change.text.size () + 1];
        std::memcpy (chgParam.uStrValue, change.text.c_str (), change.text.size () + 1);
        ACAPI_Goodies (APIAny_ChangeAParameterID, &chgParam);
        delete[] chgParam.uStrValue;
        if (ACAPI_Goodies (APIAny_GetActParametersID, &params) == NoError) {
            API_ElementMemo memo{};
            memo.params = params.params;
            accepted = ACAPI_Element_Change (&element, nullptr, &memo, APIMemoMask_AddPars, true) == NoError;
        }
        if (params.params != nullptr)
            ACAPI_DisposeAddParHdl (&params.params);
    }
    ACAPI_Goodies (APIAny_CloseParametersID);
    return accepted;
}

template <class Visit> void WalkWholeModel (Visit visit)
{
    static API_Element element;
    Int32 counts[sizeof WalkTypes / sizeof WalkTypes[0]] = {};
    for (size_t t = 0; t < sizeof WalkTypes / sizeof WalkTypes[0]; ++t)
        ACAPI_Element_GetNum (WalkTypes[t], &counts[t]);
    for (size_t t = 0; t < sizeof WalkTypes / sizeof WalkTypes[0]; ++t) {
        for (Int32 index = 1; index <= counts[t]; ++index) {
            std::memset (&element, 0, sizeof element);
            element.header.typeID = WalkTypes[t];
            element.header.index = index;
            if (!ACAPI_Element_Filter (WalkTypes[t], index, ShownLayerFilter))
                continue;
            if (ACAPI_Element_Get (&element) != NoError)
                continue;
            visit (element);
        }
    }
}

}   // namespace

Int64 BareWalk (FlatCounts* record)
{
    Int64 total = 0;
    WalkWholeModel (
        [&] (API_Element& element) { total += BodiesOf (element.header.typeID, element.header.index, record); });
    return total;
}

Int64 BareLevelSwitch (const std::vector<DetailChange>& changes, Int32* changed)
{
    Int64 total = 0;
    *changed = 0;
    ACAPI_OpenUndoableSession ("");
    WalkWholeModel ([&] (API_Element& element) {
        const API_ElemTypeID type = element.header.typeID;
        if (type >= 4 && type <= 7 && element.libInd > 0 && static_cast<size_t> (element.libInd) < changes.size ()) {
            const DetailChange& change = changes[static_cast<size_t> (element.libInd)];
            if (!change.paramName.empty () && ChangePlacement (element, change))
                ++*changed;
        }
        total += BodiesOf (type, element.header.index, nullptr);
    });
    ACAPI_CloseUndoableSession ();
    return total;
}

Int64 FlatLoop (const FlatCounts& counts)
{
    Int64 total = 0;
    UInt32 at = 0;
    const Int32* polygons = counts.polygons.data ();
    for (const UInt32 end : counts.ends) {
        Int64 sum = 0;
        for (; at < end; ++at)
            sum += polygons[at];
        total += sum;
    }
    return total;
}

}   // namespace Bench
