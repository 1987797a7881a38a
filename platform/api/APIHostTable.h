// The binding between a host and an add-on module.
//
// An add-on module exports two C functions (see API_GetExportedFuncAddrsProc and
// API_SetImportedFuncAddrsProc). The host calls GetExportedFuncAddrs with a 60-byte record that
// the add-on fills with its interface version and entry points, then SetImportedFuncAddrs with
// its function table and the client handle that the add-on passes back first in every call.
// The table stays the host's and lives as long as the add-on is loaded. An entry may be null (or
// lie beyond `size`): the add-on then answers APIERR_MISSINGFUNCTION itself.
// All entries are called on the host's main thread, one at a time.
#pragma once

#include "APIdefs.h"

// ---- What the add-on hands the host -----------------------------------------------------

using API_CheckEnvironmentProc = Int32 (*) (API_EnvirParams* envir);   // answers the add-on kind, 0 to refuse
using API_EntryProc = GSErrCode (*) ();

#pragma pack(push, 4)
struct API_ExportedFuncs {
    UInt32 interfaceVersion;
    API_CheckEnvironmentProc checkEnvironment;
    API_EntryProc registerInterface;
    API_EntryProc initialize;
    API_EntryProc freeData;
    char reserved[24];
};
#pragma pack(pop)
static_assert (sizeof (API_ExportedFuncs) == 60, "the exported record is 60 bytes");

// ---- What the host hands the add-on -----------------------------------------------------

using API_Client = void*;   // the host's handle for one loaded add-on

struct API_HostTable {
    UInt32 size;   // sizeof the table as the host knows it; entries past it count as missing

    // resources
    GSResModule (*useOwnResModule) (API_Client);
    void (*resetResModule) (API_Client, GSResModule previous);
    bool (*resourceGetLocStr) (API_Client, char* buffer, Int16 resID, Int32 index);   // buffer: 256 bytes
    GSErrCode (*getOwnLocation) (API_Client, IO::Location* location);

    // registration
    GSErrCode (*registerMenu) (API_Client, Int16 menuStrResID, Int16 promptStrResID, Int32 menuPosCode, Int32 menuFlags);
    GSErrCode (*installMenuHandler) (API_Client, Int16 menuStrResID, APIMenuCommandProc handler);
    GSErrCode (*installModulDataMergeHandler) (API_Client, APIModulDataMergeHandlerProc handler);
    GSErrCode (*notifyCatchProjectEvent) (API_Client, Int32 eventMask, APIProjectEventHandlerProc handler);
    GSErrCode (*registerModelessWindow) (API_Client, Int32 referenceID, APIPaletteControlCallBackProc callback, Int32 flags);
    GSErrCode (*unregisterModelessWindow) (API_Client, Int32 referenceID);

    // grouped operations: (selector, par1, par2)
    GSErrCode (*interfaceOp) (API_Client, UInt32 code, void* par1, void* par2);
    GSErrCode (*environmentOp) (API_Client, UInt32 code, void* par1, void* par2);
    GSErrCode (*databaseOp) (API_Client, UInt32 code, void* par1, void* par2);
    GSErrCode (*automateOp) (API_Client, UInt32 code, void* par1, void* par2);
    GSErrCode (*goodiesOp) (API_Client, UInt32 code, void* par1, void* par2);

    // elements
    GSErrCode (*elementGetNum) (API_Client, API_ElemTypeID typeID, Int32* count);
    GSErrCode (*elementGet) (API_Client, API_Element* element);
    bool (*elementFilter) (API_Client, API_ElemTypeID typeID, Int32 index, Int32 filterBits);
    GSErrCode (*elementGetMemo) (API_Client, API_ElemTypeID typeID, Int32 index, API_ElementMemo* memo);
    GSErrCode (*disposeElemMemoHdls) (API_Client, API_ElementMemo* memo);
    GSErrCode (*elementGet3DInfo) (API_Client, API_ElemTypeID typeID, Int32 index, API_ElemInfo3D* info);
    GSErrCode (*getComponent3D) (API_Client, API_Component3D* component);
    GSErrCode (*elementChange) (API_Client, API_Element* element, const API_Element* mask, const API_ElementMemo* memo,
                                UInt64 memoMask, bool withDel);
    GSErrCode (*disposeAddParHdl) (API_Client, API_AddParType*** params);

    // library parts
    GSErrCode (*libPartSearch) (API_Client, API_LibPart* libPart, bool warnings);
    GSErrCode (*libPartGet) (API_Client, API_LibPart* libPart);

    // selection
    GSErrCode (*selectionGet) (API_Client, API_SelectionInfo* info, API_Neig*** neigs, bool onlyEditable);
    GSErrCode (*elementSelect) (API_Client, API_Neig** neigs, Int32 count, bool add);

    // undo
    GSErrCode (*openUndoableSession) (API_Client, const char* name);
    GSErrCode (*closeUndoableSession) (API_Client);

    // module data of the calling add-on in the open project
    GSErrCode (*modulDataStore) (API_Client, const API_ModulData* record);   // the host copies the block
    GSErrCode (*modulDataGetInfo) (API_Client, API_ModulData* record);       // version and sign, no block
    GSErrCode (*modulDataGet) (API_Client, API_ModulData* record);           // a new block the caller owns

    // report window
    GSErrCode (*writeReport) (API_Client, const char* text, bool withDialog);
};

// The module's two exported functions (extern "C", looked up by these names).
using API_GetExportedFuncAddrsProc = GSErrCode (*) (API_ExportedFuncs* record);
using API_SetImportedFuncAddrsProc = GSErrCode (*) (const API_HostTable* table, API_Client client);

#define API_GetExportedFuncAddrsName "GetExportedFuncAddrs"
#define API_SetImportedFuncAddrsName "SetImportedFuncAddrs"
