// The add-on's side of the host binding: the two exported functions and every ACAPI_ call.
#include "ACAPI.h"
#include "EntryPoints.h"

#include <cstddef>
#include <cstring>

#if defined(__GNUC__)
#define TESSERA_EXPORT extern "C" __attribute__ ((visibility ("default")))
#else
#define TESSERA_EXPORT extern "C"
#endif

namespace {

const API_HostTable* hostTable = nullptr;
API_Client client = nullptr;

// The entry, or null when the host's table does not reach that far or leaves it empty.
template <class Entry>
Entry EntryAt (Entry API_HostTable::*member)
{
    if (hostTable == nullptr)
        return nullptr;
    const auto* base = reinterpret_cast<const char*> (hostTable);
    const auto* field = reinterpret_cast<const char*> (&(hostTable->*member));
    if (static_cast<size_t> (field - base) + sizeof (Entry) > hostTable->size)
        return nullptr;
    return hostTable->*member;
}

// Calls an entry that answers an error code.
template <class Entry, class... Args>
GSErrCode Call (Entry API_HostTable::*member, Args... args)
{
    if (hostTable == nullptr)
        return APIERR_GENERAL;
    Entry entry = EntryAt (member);
    if (entry == nullptr)
        return APIERR_MISSINGFUNCTION;
    return entry (client, args...);
}

// Entry points as the host sees them: refused until the table has arrived.
Int32 BoundCheckEnvironment (API_EnvirParams* envir) { return hostTable == nullptr ? 0 : CheckEnvironment (envir); }
GSErrCode BoundRegisterInterface () { return hostTable == nullptr ? APIERR_GENERAL : RegisterInterface (); }
GSErrCode BoundInitialize () { return hostTable == nullptr ? APIERR_GENERAL : Initialize (); }
GSErrCode BoundFreeData () { return hostTable == nullptr ? APIERR_GENERAL : FreeData (); }

}   // namespace

TESSERA_EXPORT GSErrCode GetExportedFuncAddrs (API_ExportedFuncs* record)
{
    if (record == nullptr)
        return APIERR_BADPARS;
    std::memset (record, 0, sizeof (API_ExportedFuncs));
    record->interfaceVersion = API_InterfaceVersion;
    record->checkEnvironment = &BoundCheckEnvironment;
    record->registerInterface = &BoundRegisterInterface;
    record->initialize = &BoundInitialize;
    record->freeData = &BoundFreeData;
    return NoError;
}

TESSERA_EXPORT GSErrCode SetImportedFuncAddrs (const API_HostTable* table, API_Client clientHandle)
{
    hostTable = table;
    client = clientHandle;
    return NoError;
}

GSResModule ACAPI_UseOwnResModule ()
{
    auto entry = EntryAt (&API_HostTable::useOwnResModule);
    return entry == nullptr ? 0 : entry (client);
}

void ACAPI_ResetResModule (GSResModule previous)
{
    if (auto entry = EntryAt (&API_HostTable::resetResModule))
        entry (client, previous);
}

bool ACAPI_Resource_GetLocStr (char* buffer, Int16 resID, Int32 index)
{
    auto entry = EntryAt (&API_HostTable::resourceGetLocStr);
    return entry != nullptr && entry (client, buffer, resID, index);
}

GSErrCode ACAPI_GetOwnLocation (IO::Location* location) { return Call (&API_HostTable::getOwnLocation, location); }

GSErrCode ACAPI_Register_Menu (Int16 menuStrResID, Int16 promptStrResID, Int32 menuPosCode, Int32 menuFlags)
{
    return Call (&API_HostTable::registerMenu, menuStrResID, promptStrResID, menuPosCode, menuFlags);
}

GSErrCode ACAPI_Install_MenuHandler (Int16 menuStrResID, APIMenuCommandProc handler)
{
    return Call (&API_HostTable::installMenuHandler, menuStrResID, handler);
}

GSErrCode ACAPI_Install_ModulDataMergeHandler (APIModulDataMergeHandlerProc handler)
{
    return Call (&API_HostTable::installModulDataMergeHandler, handler);
}

GSErrCode ACAPI_Notify_CatchProjectEvent (Int32 eventMask, APIProjectEventHandlerProc handler)
{
    return Call (&API_HostTable::notifyCatchProjectEvent, eventMask, handler);
}

GSErrCode ACAPI_RegisterModelessWindow (Int32 referenceID, APIPaletteControlCallBackProc callback, Int32 flags)
{
    return Call (&API_HostTable::registerModelessWindow, referenceID, callback, flags);
}

GSErrCode ACAPI_UnregisterModelessWindow (Int32 referenceID)
{
    return Call (&API_HostTable::unregisterModelessWindow, referenceID);
}

GSErrCode ACAPI_Interface (UInt32 code, void* par1, void* par2) { return Call (&API_HostTable::interfaceOp, code, par1, par2); }
GSErrCode ACAPI_Environment (UInt32 code, void* par1, void* par2) { return Call (&API_HostTable::environmentOp, code, par1, par2); }
GSErrCode ACAPI_Database (UInt32 code, void* par1, void* par2) { return Call (&API_HostTable::databaseOp, code, par1, par2); }
GSErrCode ACAPI_Automate (UInt32 code, void* par1, void* par2) { return Call (&API_HostTable::automateOp, code, par1, par2); }
GSErrCode ACAPI_Goodies (UInt32 code, void* par1, void* par2) { return Call (&API_HostTable::goodiesOp, code, par1, par2); }

GSErrCode ACAPI_Element_GetNum (API_ElemTypeID typeID, Int32* count) { return Call (&API_HostTable::elementGetNum, typeID, count); }
GSErrCode ACAPI_Element_Get (API_Element* element) { return Call (&API_HostTable::elementGet, element); }

bool ACAPI_Element_Filter (API_ElemTypeID typeID, Int32 index, Int32 filterBits)
{
    auto entry = EntryAt (&API_HostTable::elementFilter);
    return entry != nullptr && entry (client, typeID, index, filterBits);
}

GSErrCode ACAPI_Element_GetMemo (API_ElemTypeID typeID, Int32 index, API_ElementMemo* memo)
{
    return Call (&API_HostTable::elementGetMemo, typeID, index, memo);
}

GSErrCode ACAPI_DisposeElemMemoHdls (API_ElementMemo* memo) { return Call (&API_HostTable::disposeElemMemoHdls, memo); }

GSErrCode ACAPI_Element_Get3DInfo (API_ElemTypeID typeID, Int32 index, API_ElemInfo3D* info)
{
    return Call (&API_HostTable::elementGet3DInfo, typeID, index, info);
}

GSErrCode ACAPI_3D_GetComponent (API_Component3D* component) { return Call (&API_HostTable::getComponent3D, component); }

GSErrCode ACAPI_Element_Change (API_Element* element, const API_Element* mask, const API_ElementMemo* memo,
                                UInt64 memoMask, bool withDel)
{
    return Call (&API_HostTable::elementChange, element, mask, memo, memoMask, withDel);
}

GSErrCode ACAPI_DisposeAddParHdl (API_AddParType*** params) { return Call (&API_HostTable::disposeAddParHdl, params); }

GSErrCode ACAPI_LibPart_Search (API_LibPart* libPart, bool warnings) { return Call (&API_HostTable::libPartSearch, libPart, warnings); }
GSErrCode ACAPI_LibPart_Get (API_LibPart* libPart) { return Call (&API_HostTable::libPartGet, libPart); }

GSErrCode ACAPI_Selection_Get (API_SelectionInfo* info, API_Neig*** neigs, bool onlyEditable)
{
    return Call (&API_HostTable::selectionGet, info, neigs, onlyEditable);
}

GSErrCode ACAPI_Element_Select (API_Neig** neigs, Int32 count, bool add) { return Call (&API_HostTable::elementSelect, neigs, count, add); }

GSErrCode ACAPI_OpenUndoableSession (const char* name) { return Call (&API_HostTable::openUndoableSession, name); }
GSErrCode ACAPI_CloseUndoableSession () { return Call (&API_HostTable::closeUndoableSession); }

GSErrCode ACAPI_ModulData_Store (const API_ModulData* record) { return Call (&API_HostTable::modulDataStore, record); }
GSErrCode ACAPI_ModulData_GetInfo (API_ModulData* record) { return Call (&API_HostTable::modulDataGetInfo, record); }
GSErrCode ACAPI_ModulData_Get (API_ModulData* record) { return Call (&API_HostTable::modulDataGet, record); }

GSErrCode ACAPI_WriteReport (const char* text, bool withDialog) { return Call (&API_HostTable::writeReport, text, withDialog); }
