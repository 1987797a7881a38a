// Table entries for library-part parameters: the one open parameter session ('OPAR' opens it on
// a library part or on a placement, 'GPAR' lists its parameters, 'GPVL' a text parameter's value
// list, 'CHGP' changes a value within the session, 'CPAR' closes it and forgets its changes),
// releasing parameter lists, and writing a placement's parameter list back with
// ACAPI_Element_Change (memo part 4), which is recorded as an undoable change.
//
// Ownership: 'GPAR' and 'GPVL' hand out new blocks that the caller releases (ACAPI_DisposeAddParHdl,
// BMKillHandle). 'CHGP' copies the caller's text and never frees or keeps the caller's memory: the
// add-on frees what it allocated after the call. Texts longer than a record's fields are cut.
#include "Host.h"

#include "gs/MemoryHandle.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace HostSim {

namespace {

constexpr Int32 ParamTextLimit = API_ParValueLength - 1;

template <size_t N> void CopyText (char (&to)[N], const std::string& from)
{
    const size_t length = std::min (from.size (), N - 1);
    std::memcpy (to, from.data (), length);
    to[length] = '\0';
}

// A text field the add-on filled: its bytes up to the terminator, or false when it has none.
template <size_t N> bool ReadText (const char (&field)[N], std::string* text)
{
    const void* end = std::memchr (field, '\0', N);
    if (end == nullptr)
        return false;
    text->assign (field, static_cast<const char*> (end));
    return true;
}

bool IsPlacementType (API_ElemTypeID type)
{
    return type >= 4 && type <= 7;
}

const ParamDef* FindParam (const LibPart& part, const std::string& name)
{
    for (const ParamDef& def : part.params)
        if (def.name == name)
            return &def;
    return nullptr;
}

bool IsSingleText (const ParamDef& def)
{
    return def.type == API_ParTextType && def.typeMod == 0;
}

// The value a placement's single text parameter has now: its own value, else the part's default.
std::string PlacementValue (const Element& element, const ParamDef& def)
{
    auto it = element.paramValues.find (def.name);
    return it != element.paramValues.end () ? it->second : def.text;
}

// The library part of the open session, or null when none is open or it has gone.
LibPart* SessionPart (Host& host)
{
    const ParamSession& session = host.project.paramSession;
    return session.open ? host.project.FindLibPart (session.libInd) : nullptr;
}

GSErrCode OpenParameters (Host& host, AddonClient&, void* par1, void*)
{
    const auto* owner = static_cast<const API_ParamOwnerType*> (par1);
    if (owner == nullptr)
        return APIERR_BADPARS;
    ParamSession session;
    if (owner->libInd != 0) {
        if (host.project.FindLibPart (owner->libInd) == nullptr)
            return APIERR_BADID;
        session.libInd = owner->libInd;
    } else {
        const Element* element = host.project.FindElement (owner->typeID, owner->index);
        if (element == nullptr || !IsPlacementType (element->type))
            return APIERR_BADID;
        if (host.project.FindLibPart (element->libInd) == nullptr)
            return APIERR_BADID;
        session.libInd = element->libInd;
        session.type = element->type;
        session.index = element->index;
    }
    session.open = true;
    host.project.paramSession = std::move (session);   // a session still open is replaced
    return NoError;
}

// The open owner's parameters: the part's declarations with their defaults, for a placement its
// own text values, and the session's changes over both.
GSErrCode GetActParameters (Host& host, AddonClient&, void* par1, void*)
{
    auto* answer = static_cast<API_GetParamsType*> (par1);
    if (answer == nullptr)
        return APIERR_BADPARS;
    answer->params = nullptr;
    const LibPart* part = SessionPart (host);
    if (part == nullptr)
        return APIERR_GENERAL;
    const ParamSession& session = host.project.paramSession;
    const Element* placement = session.type != 0 ? host.project.FindElement (session.type, session.index) : nullptr;
    if (session.type != 0 && placement == nullptr)
        return APIERR_BADID;

    GSHandle block = BMAllocateHandle (part->params.size () * sizeof (API_AddParType));
    if (block == nullptr)
        return APIERR_GENERAL;
    auto* records = reinterpret_cast<API_AddParType*> (*block);
    for (size_t i = 0; i < part->params.size (); ++i) {
        const ParamDef& def = part->params[i];
        API_AddParType& record = records[i];
        record.typeID = def.type;
        record.typeMod = def.typeMod;
        record.value = def.number;
        CopyText (record.name, def.name);
        if (def.type == API_ParTextType) {
            std::string text = def.text;
            if (placement != nullptr && IsSingleText (def))
                text = PlacementValue (*placement, def);
            auto changed = session.changes.find (def.name);
            if (changed != session.changes.end ())
                text = changed->second;
            CopyText (record.valueText, text);
        }
    }
    answer->params = reinterpret_cast<API_AddParType**> (block);
    return NoError;
}

// Value list of a text parameter of the open part: nVals texts, each zero-terminated, one after
// the other in strValues; `extra` holds each text's starting offset (32-bit words).
GSErrCode GetParamValues (Host& host, AddonClient&, void* par1, void*)
{
    auto* answer = static_cast<API_GetParamValuesType*> (par1);
    if (answer == nullptr)
        return APIERR_BADPARS;
    answer->nVals = 0;
    answer->strValues = nullptr;
    answer->extra = nullptr;
    const LibPart* part = SessionPart (host);
    if (part == nullptr)
        return APIERR_GENERAL;
    std::string name;
    if (!ReadText (answer->name, &name))
        return APIERR_BADPARS;
    const ParamDef* def = FindParam (*part, name);
    if (def == nullptr || def->type != API_ParTextType)
        return APIERR_BADID;
    if (def->valueList.size () > 0x7FFF)
        return APIERR_GENERAL;   // more than a 16-bit count can say

    std::string texts;
    std::vector<Int32> offsets;
    for (const std::string& value : def->valueList) {
        offsets.push_back (static_cast<Int32> (texts.size ()));
        texts.append (value.data (), std::min<size_t> (value.size (), ParamTextLimit));
        texts.push_back ('\0');
    }
    GSHandle strValues = BMAllocateHandle (texts.size ());
    GSHandle extra = BMAllocateHandle (offsets.size () * sizeof (Int32));
    if (strValues == nullptr || extra == nullptr) {
        BMKillHandle (&strValues);
        BMKillHandle (&extra);
        return APIERR_GENERAL;
    }
    if (!texts.empty ())
        std::memcpy (*strValues, texts.data (), texts.size ());
    if (!offsets.empty ())
        std::memcpy (*extra, offsets.data (), offsets.size () * sizeof (Int32));
    answer->nVals = static_cast<Int16> (offsets.size ());
    answer->strValues = strValues;
    answer->extra = extra;
    return NoError;
}

// Changes a single text parameter of the open owner within the session. The text is copied.
GSErrCode ChangeAParameter (Host& host, AddonClient&, void* par1, void*)
{
    const auto* change = static_cast<const API_ChangeParamType*> (par1);
    if (change == nullptr || change->uStrValue == nullptr)
        return APIERR_BADPARS;
    const LibPart* part = SessionPart (host);
    if (part == nullptr)
        return APIERR_GENERAL;
    std::string name;
    if (!ReadText (change->name, &name))
        return APIERR_BADPARS;
    const ParamDef* def = FindParam (*part, name);
    if (def == nullptr || !IsSingleText (*def))
        return APIERR_BADID;
    const char* text = change->uStrValue;
    host.project.paramSession.changes[name] = std::string (text, strnlen (text, ParamTextLimit));
    return NoError;
}

GSErrCode CloseParameters (Host& host, AddonClient&, void*, void*)
{
    host.project.paramSession = ParamSession ();
    return NoError;
}

GSErrCode DisposeAddParHdl (API_Client c, API_AddParType*** params)
{
    Host::Of (c).failures.Check ("ACAPI_DisposeAddParHdl");
    if (params == nullptr)
        return APIERR_BADPARS;
    GSHandle block = reinterpret_cast<GSHandle> (*params);
    BMKillHandle (&block);
    *params = nullptr;
    return NoError;
}

// Memo part 4 replaces a placement's parameter values with those of the memo's list. The whole
// list is checked first: an unknown name, a record without its terminator or a mismatched kind
// refuses the change and leaves the placement as it was.
GSErrCode ElementChange (API_Client c, API_Element* element, const API_Element* /*mask*/, const API_ElementMemo* memo,
                         UInt64 memoMask, bool /*withDel*/)
{
    Host& host = Host::Of (c);
    if (GSErrCode e = host.failures.Check ("ACAPI_Element_Change"))
        return e;
    if (element == nullptr)
        return APIERR_BADPARS;
    Element* model = host.project.FindElement (element->header.typeID, element->header.index);
    if (model == nullptr)
        return APIERR_BADID;
    if ((memoMask & APIMemoMask_AddPars) == 0)
        return NoError;   // nothing else of an element can be changed here
    if (!IsPlacementType (model->type))
        return APIERR_REFUSED;
    if (memo == nullptr || memo->params == nullptr)
        return APIERR_BADPARS;
    const LibPart* part = host.project.FindLibPart (model->libInd);
    if (part == nullptr)
        return APIERR_REFUSED;

    const GSHandle block = reinterpret_cast<GSHandle> (memo->params);
    const USize count = BMGetHandleSize (block) / sizeof (API_AddParType);
    const auto* records = reinterpret_cast<const API_AddParType*> (*block);
    std::map<std::string, std::string> values = model->paramValues;
    for (USize i = 0; i < count; ++i) {
        std::string name, text;
        if (!ReadText (records[i].name, &name) || !ReadText (records[i].valueText, &text))
            return APIERR_BADPARS;
        const ParamDef* def = FindParam (*part, name);
        if (def == nullptr || def->type != records[i].typeID || def->typeMod != records[i].typeMod)
            return APIERR_BADPARS;
        if (IsSingleText (*def) && text != PlacementValue (*model, *def))
            values[name] = text;
    }
    if (values == model->paramValues)
        return NoError;

    const API_ElemTypeID type = model->type;
    const Int32 index = model->index;
    host.RecordUndo ([type, index, old = model->paramValues] (Project& project) {
        if (Element* placement = project.FindElement (type, index))
            placement->paramValues = old;
    });
    model->paramValues = std::move (values);
    return NoError;
}

}   // namespace

void InstallParamOps (Host& host, API_HostTable& table)
{
    host.RegisterSelector (OpGroup::Goodies, APIAny_OpenParametersID, &OpenParameters);
    host.RegisterSelector (OpGroup::Goodies, APIAny_GetActParametersID, &GetActParameters);
    host.RegisterSelector (OpGroup::Goodies, APIAny_GetParamValuesID, &GetParamValues);
    host.RegisterSelector (OpGroup::Goodies, APIAny_ChangeAParameterID, &ChangeAParameter);
    host.RegisterSelector (OpGroup::Goodies, APIAny_CloseParametersID, &CloseParameters);
    table.disposeAddParHdl = &DisposeAddParHdl;
    table.elementChange = &ElementChange;
}

}   // namespace HostSim
