// Library-part detail levels during a census: finding a part's detail parameter and the value
// text its level stands for (SetDetLevNameAndValue, once per part and census type), and bringing
// each placement's detail parameter in line with it (ChangeElemDetLev, once per placement).
//
// Both work through the host's parameter session ('OPAR' ... 'CPAR') and release every block the
// host hands out. Nothing is ever written without a recorded value text; positions of a names
// entry from 5 on and a default level outside 0 to 4 never index the five level flags. A refused
// placement change leaves the placement as it was and is shown once per census (message 133).
// Host main thread only; not re-entrant (function-local statics).
#include "census/RefreshData.h"

#include "gs/MemoryHandle.h"
#include "host/ACAPI.h"
#include "store/DetParNames.h"
#include "store/Dlg_ErrorMessage.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr Int16 KeepLevel = 3;
constexpr Int16 DefaultLevel = 4;
constexpr Int16 NoDetailParameter = 5;
constexpr Int32 LevelFlagCount = 5;
constexpr Int32 LastChosenLevel = 2;   // only positions 0 to 2 stand for a level that changes placements

constexpr Int16 MsgDuplicatedValue = 132;
constexpr Int16 MsgChangeRefused = 133;

// Whether the five-flag record offers `level`; a level outside 0 to 4 is never offered.
bool Offers (const FFFTT& avail, Int32 level)
{
    return level >= 0 && level < LevelFlagCount && avail[level];
}

// The records of a parameter-list block; the count comes from the block's size.
USize RecordCount (API_AddParType** params)
{
    return params == nullptr ? 0 : BMGetHandleSize (reinterpret_cast<GSHandle> (params)) / sizeof (API_AddParType);
}

// A fixed text field of a host record, up to its terminator or the field's end.
template <size_t N> GS::String FieldText (const char (&field)[N])
{
    return GS::String (field, strnlen (field, N));
}

template <size_t N> void CopyToField (char (&field)[N], const GS::String& text)
{
    const size_t length = std::min<size_t> (text.GetLength (), N - 1);
    std::memcpy (field, text.ToCStr (), length);
    field[length] = '\0';
}

bool IsSingleTextParam (const API_AddParType& record)
{
    return record.typeMod == 0 && record.typeID == API_ParTextType;
}

// The value texts of a 'GPVL' answer. A block that does not hold nVals terminated texts is
// read as an empty list, like a failed call.
GS::Array<GS::String> ValueTexts (const API_GetParamValuesType& answer)
{
    GS::Array<GS::String> texts;
    const USize size = BMGetHandleSize (answer.strValues);
    const char* bytes = answer.strValues != nullptr ? *answer.strValues : nullptr;
    USize at = 0;
    for (Int32 i = 0; i < answer.nVals; ++i) {
        const void* end = at < size ? std::memchr (bytes + at, '\0', size - at) : nullptr;
        if (end == nullptr)
            return GS::Array<GS::String> ();
        const USize length = static_cast<USize> (static_cast<const char*> (end) - (bytes + at));
        texts.Push (GS::String (bytes + at, length));
        at += length + 1;
    }
    return texts;
}

void ReleaseParams (API_GetParamsType& params)
{
    if (params.params != nullptr)
        ACAPI_DisposeAddParHdl (&params.params);
    params.params = nullptr;
}

}   // namespace

void RefreshData::SetDetLevNameAndValue (Int32 libInd, API_ElemTypeID censusType)
{
    GS::HashTable<Int32, LibRow>* rows = gsmT.GetPtr (censusType);
    LibRow* row = rows != nullptr ? rows->GetPtr (libInd) : nullptr;
    if (row == nullptr)
        return;

    // A stored level outside 0 to 4 is none the table could hold: it counts as no stored level.
    const Int16* stored = storedDetLev.GetPtr (libInd);
    Int16 level = stored != nullptr && *stored >= 0 && *stored <= DefaultLevel ? *stored : NoDetailParameter;

    if (!detParNamesRead)
        levelUnknown.Put (row->guid, true);
    API_ParamOwnerType owner{};
    owner.libInd = libInd;
    API_GetParamsType params{};
    const bool opened = ACAPI_Goodies (APIAny_OpenParametersID, &owner) == NoError;
    if (!opened || ACAPI_Goodies (APIAny_GetActParametersID, &params) != NoError) {
        levelUnknown.Put (row->guid, true);
    } else {
        GS::String name;
        bool found = false;
        const USize count = RecordCount (params.params);
        for (USize i = 0; i < count && !found; ++i) {
            const API_AddParType& record = (*params.params)[i];
            if (!IsSingleTextParam (record))
                continue;
            name = FieldText (record.name);
            if (detParNames.find (OGSString (name)) == detParNames.end ())
                continue;
            found = true;
            if (level == NoDetailParameter)
                level = KeepLevel;
            row->detLev = level;
            detParName.Add (libInd, name);
            detParIndex.Add (libInd, static_cast<Int32> (i));
        }
        ReleaseParams (params);

        if (found) {
            API_GetParamValuesType answer{};
            CopyToField (answer.name, name);
            GS::Array<GS::String> values;
            if (ACAPI_Goodies (APIAny_GetParamValuesID, &answer) == NoError)
                values = ValueTexts (answer);

            const auto entries = detParNames.equal_range (OGSString (name));
            for (auto entry = entries.first; entry != entries.second; ++entry) {
                const GS::Array<GS::String>& texts = entry->second;
                GS::String wanted;
                FFFTT offered (false, false, false, true, true);
                bool matches = true;
                for (const GS::String& value : values) {
                    Int32 occurrences = 0;
                    UInt32 position = 0;
                    for (UInt32 k = 0; k < texts.GetSize (); ++k) {
                        if (texts[k] == value) {
                            if (occurrences == 0)
                                position = k;
                            ++occurrences;
                        }
                    }
                    if (occurrences > 1) {
                        Dlg_ErrorMessage (MsgDuplicatedValue, false).Invoke ();
                        continue;
                    }
                    if (occurrences == 0) {
                        matches = false;
                        break;
                    }
                    const Int32 k = static_cast<Int32> (position);
                    if (k < LevelFlagCount)
                        offered[k] = true;
                    if (k <= LastChosenLevel && (k == level || (level == DefaultLevel && k == defaultDetLev)))
                        wanted = value;
                }
                if (!matches)
                    continue;
                if (!wanted.IsEmpty ())
                    wantedDetValue.Add (libInd, wanted);
                row->avail = offered;
                if (level == DefaultLevel && !Offers (offered, defaultDetLev))
                    row->detLev = KeepLevel;
                break;
            }
            BMKillHandle (&answer.strValues);
            BMKillHandle (&answer.extra);
        }
    }
    ReleaseParams (params);
    ACAPI_Goodies (APIAny_CloseParametersID);
}

bool RefreshData::WantsChange (const LibRow& row) const
{
    const Int16 level = row.detLev;
    return !(level < 0 || level >= NoDetailParameter || level == KeepLevel ||
             (level == DefaultLevel && defaultDetLev == KeepLevel));
}

void RefreshData::ChangeElemDetLev (API_ElemTypeID censusType, API_ElemTypeID elemType, Int32 elemIndex, Int32 libInd,
                                    API_Element* element)
{
    static API_ParamOwnerType paramOwner;
    static API_GetParamsType theParams;
    static API_ChangeParamType chgParam;
    static API_ElementMemo memo;

    GS::HashTable<Int32, LibRow>* rows = gsmT.GetPtr (censusType);
    const LibRow* row = rows != nullptr ? rows->GetPtr (libInd) : nullptr;
    if (row == nullptr)
        return;
    if (!WantsChange (*row))
        return;
    const Int16 level = row->detLev;
    // Without a recorded value text (or parameter) there is nothing that could be written.
    const GS::String* wanted = wantedDetValue.GetPtr (libInd);
    const GS::String* name = detParName.GetPtr (libInd);
    const Int32* position = detParIndex.GetPtr (libInd);
    if (wanted == nullptr || name == nullptr || position == nullptr)
        return;

    paramOwner = API_ParamOwnerType{};
    paramOwner.libInd = 0;
    paramOwner.typeID = elemType;
    paramOwner.index = elemIndex;
    if (ACAPI_Goodies (APIAny_OpenParametersID, &paramOwner) != NoError)
        return;
    theParams = API_GetParamsType{};
    if (ACAPI_Goodies (APIAny_GetActParametersID, &theParams) != NoError) {
        ReleaseParams (theParams);
        ACAPI_Goodies (APIAny_CloseParametersID);
        return;
    }

    bool nothingToDo = false;
    if (*position >= 0 && static_cast<USize> (*position) < RecordCount (theParams.params)) {
        const API_AddParType& record = (*theParams.params)[*position];
        if (IsSingleTextParam (record) && FieldText (record.name) == *name) {
            if (FieldText (record.valueText) == *wanted)
                nothingToDo = true;
            if (level == DefaultLevel && !Offers (row->avail, defaultDetLev))
                nothingToDo = true;
        }
    }
    ReleaseParams (theParams);

    if (!nothingToDo) {
        chgParam = API_ChangeParamType{};
        CopyToField (chgParam.name, *name);
        chgParam.uStrValue = new char[wanted->GetLength () + 1];
        std::memcpy (chgParam.uStrValue, wanted->ToCStr (), wanted->GetLength () + 1);
        ACAPI_Goodies (APIAny_ChangeAParameterID, &chgParam);
        delete[] chgParam.uStrValue;   // the host keeps its own copy
        chgParam.uStrValue = nullptr;

        GSErrCode err = ACAPI_Goodies (APIAny_GetActParametersID, &theParams);
        if (err == NoError) {
            memo = API_ElementMemo{};
            memo.params = theParams.params;
            err = ACAPI_Element_Change (element, nullptr, &memo, APIMemoMask_AddPars, true);
            memo = API_ElementMemo{};
        }
        ReleaseParams (theParams);
        if (err != NoError && !changeRefusedShown) {
            changeRefusedShown = true;
            Dlg_ErrorMessage (MsgChangeRefused, false).Invoke ();
        }
    }
    ACAPI_Goodies (APIAny_CloseParametersID);
}
