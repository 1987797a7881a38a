#include "BareWalk.h"

#include "gs/IOLocation.h"
#include "gs/MemoryHandle.h"
#include "host/ACAPI.h"
#include "shell/APICommon.h"

#include <algorithm>
#include <cstring>

namespace Bench {

namespace {

// The kinds a whole-model census visits, in its order.
constexpr API_ElemTypeID WalkTypes[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 17};
// The types a census reports, and how many of its lines are not per library part: a blank line,
// the total, the header and a blank line before the types, one line per type, a blank line after.
constexpr size_t ReportedTypes = 12;
constexpr size_t FixedReportLines = 5 + ReportedTypes;
constexpr Int32 ShownLayerFilter = 2;
constexpr Int32 OwnWorkspaceFilter = 16;
constexpr API_ElemTypeID FirstPlacementType = 4;   // placements are types 4 to 7
constexpr size_t StairFlags = 4;                   // stairs (objects) have a census type of their own

// What the walk keeps per library part and census type so that it makes the calls a census makes:
// whether it has met the part, and the checks a census stops making once one placement settled
// them (the row's flags).
constexpr UInt8 Met = 1, HasRow = 2, AllHotlinked = 4, NoneInWorkspace = 8;

class Walk {
public:
    explicit Walk (const Library& library) : library (library)
    {
        for (auto& flags : parts)
            flags.assign (library.size () + 1, 0);
    }

    // Polygons of the bodies of the model the host builds for the element; appends them to `record`.
    static Int64 BodiesOf (API_ElemTypeID type, Int32 index, FlatCounts* record)
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

    // The calls a census makes for a placement before its 3D model: the part and its parameters
    // the first time the part is met under its census type, then the checks its row still needs.
    // Answers whether the census has a row for the part (it then may rewrite the placement).
    bool Placement (API_Element& element)
    {
        const Int32 libInd = element.libInd;
        if (libInd < 1 || static_cast<size_t> (libInd) >= library.size ())
            return false;
        const bool stair = element.header.typeID == 6 && element.header.variationID == API_StairVariation;
        const size_t censusType = stair ? StairFlags : static_cast<size_t> (element.header.typeID - FirstPlacementType);
        UInt8& flags = parts[censusType][static_cast<size_t> (libInd)];
        if (flags == 0) {
            flags = Met;
            if (!MeetPart (libInd))
                return false;   // a census makes no row and never asks again
            flags |= HasRow | AllHotlinked | NoneInWorkspace;
            rows.push_back (libInd);
        }
        if ((flags & HasRow) == 0)
            return false;
        if ((flags & AllHotlinked) != 0 && !IsFromHotlinkModule (&element))
            flags &= static_cast<UInt8> (~AllHotlinked);
        if ((flags & NoneInWorkspace) != 0 && ACAPI_Element_Filter (element.header.typeID, element.header.index, OwnWorkspaceFilter))
            flags &= static_cast<UInt8> (~NoneInWorkspace);
        return true;
    }

    // The report a census writes: as many lines, part names where a census names parts.
    void Report ()
    {
        for (size_t i = 0; i < FixedReportLines; ++i)
            ACAPI_WriteReport ("", false);
        for (Int32 libInd : rows)
            ACAPI_WriteReport (names[static_cast<size_t> (libInd)].c_str (), false);
    }

private:
    // The part and its parameters, as a census reads them the first time it meets the part;
    // false when the part cannot be read (a census then makes no row).
    bool MeetPart (Int32 libInd)
    {
        static API_LibPart part;
        std::memset (&part, 0, sizeof part);
        part.index = libInd;
        const GSErrCode err = ACAPI_LibPart_Get (&part);
        delete part.location;
        part.location = nullptr;
        if (err != NoError)
            return false;
        if (names.size () <= static_cast<size_t> (libInd))
            names.resize (library.size () + 1);
        part.docu_UName[sizeof part.docu_UName - 1] = '\0';
        names[static_cast<size_t> (libInd)] = part.docu_UName;

        API_ParamOwnerType owner{};
        owner.libInd = libInd;
        API_GetParamsType params{};
        if (ACAPI_Goodies (APIAny_OpenParametersID, &owner) == NoError &&
            ACAPI_Goodies (APIAny_GetActParametersID, &params) == NoError) {
            if (params.params != nullptr)
                ACAPI_DisposeAddParHdl (&params.params);
            const std::string& detail = library[static_cast<size_t> (libInd)].detailParam;
            if (!detail.empty ()) {
                API_GetParamValuesType answer{};
                std::strncpy (answer.name, detail.c_str (), sizeof answer.name - 1);
                ACAPI_Goodies (APIAny_GetParamValuesID, &answer);
                BMKillHandle (&answer.strValues);
                BMKillHandle (&answer.extra);
            }
        }
        if (params.params != nullptr)
            ACAPI_DisposeAddParHdl (&params.params);
        ACAPI_Goodies (APIAny_CloseParametersID);
        return true;
    }

    const Library& library;
    std::vector<UInt8> parts[5];      // flags by library-part index, per census type 4 to 7 and stairs
    std::vector<Int32> rows;          // the parts met, one per census row
    std::vector<std::string> names;   // by library-part index
};

// Writes the part's switch text into the placement's detail parameter the way a census does.
bool ChangePlacement (API_Element& element, const LibraryPart& part)
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
        std::strncpy (chgParam.name, part.detailParam.c_str (), sizeof chgParam.name - 1);
        chgParam.uStrValue = new char[part.switchText.size () + 1];
        std::memcpy (chgParam.uStrValue, part.switchText.c_str (), part.switchText.size () + 1);
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

// The census's calls around its element walk, then the walk itself: `visit` gets every element
// that passes filter 2 and is read, after the calls a census makes for a placement.
template <class Visit> void WalkWholeModel (Walk& walk, Visit visit)
{
    static API_Element element;
    API_SelectionInfo selection{};
    ACAPI_Selection_Get (&selection, nullptr, false);
    BMKillHandle (&selection.marquee);
    Int32 counts[sizeof WalkTypes / sizeof WalkTypes[0]] = {};
    for (size_t t = 0; t < sizeof WalkTypes / sizeof WalkTypes[0]; ++t)
        ACAPI_Element_GetNum (WalkTypes[t], &counts[t]);
    API_DatabaseInfo database{};
    const bool known = ACAPI_Database (APIDb_GetCurrentDatabaseID, &database) == NoError;
    API_DatabaseInfo floorPlan = database;
    floorPlan.typeID = 1;
    ACAPI_Database (APIDb_ChangeCurrentDatabaseID, &floorPlan);
    API_StoryInfo stories{};
    ACAPI_Environment (APIEnv_GetStorySettingsID, &stories);
    BMKillHandle (&stories.data);

    char title[] = "";
    Int16 phases = 1;
    ACAPI_Interface (APIIo_InitProcessWindowID, title, &phases);
    ACAPI_OpenUndoableSession ("");
    Int32 total = 0;
    for (Int32 count : counts)
        total += std::max (count, 0);
    Int32 barMax = std::min<Int32> (total, 32767), barValue = 0;
    char phase[] = "";
    ACAPI_Interface (APIIo_SetProcessPhaseID, phase, &barMax);
    ACAPI_Interface (APIIo_SetProcessValueID, &barValue);

    for (size_t t = 0; t < sizeof WalkTypes / sizeof WalkTypes[0]; ++t) {
        for (Int32 index = 1; index <= counts[t]; ++index) {
            std::memset (&element, 0, sizeof element);
            element.header.typeID = WalkTypes[t];
            element.header.index = index;
            if (!ACAPI_Element_Filter (WalkTypes[t], index, ShownLayerFilter))
                continue;
            if (ACAPI_Element_Get (&element) != NoError)
                continue;
            const API_ElemTypeID type = element.header.typeID;
            const bool row = type >= 4 && type <= 7 && walk.Placement (element);
            visit (element, row);
        }
    }

    ACAPI_Interface (APIIo_CloseProcessWindowID);
    ACAPI_CloseUndoableSession ();
    walk.Report ();
    if (known)
        ACAPI_Database (APIDb_ChangeCurrentDatabaseID, &database);
}

}   // namespace

Int64 BareWalk (const Library& library, FlatCounts* record)
{
    Int64 total = 0;
    Walk walk (library);
    WalkWholeModel (walk, [&] (API_Element& element, bool) {
        total += Walk::BodiesOf (element.header.typeID, element.header.index, record);
    });
    return total;
}

Int64 BareLevelSwitch (const Library& library, Int32* changed)
{
    Int64 total = 0;
    *changed = 0;
    // A census searches every part with a stored level before its walk.
    static API_LibPart search;
    for (const LibraryPart& part : library) {
        if (part.switchText.empty ())
            continue;
        std::memset (&search, 0, sizeof search);
        std::strncpy (search.ownUnID, part.guid.c_str (), sizeof search.ownUnID - 1);
        ACAPI_LibPart_Search (&search, false);
        delete search.location;
        search.location = nullptr;
    }
    Walk walk (library);
    WalkWholeModel (walk, [&] (API_Element& element, bool row) {
        const API_ElemTypeID type = element.header.typeID;
        if (row) {
            const LibraryPart& part = library[static_cast<size_t> (element.libInd)];
            if (!part.switchText.empty () && ChangePlacement (element, part))
                ++*changed;
        }
        total += Walk::BodiesOf (type, element.header.index, nullptr);
    });
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
