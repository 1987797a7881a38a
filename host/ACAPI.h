// The add-on's calls into the host: every ACAPI_ operation goes through the host's function table
// (platform/api/APIHostTable.h), passing the client handle first. The rest of the add-on calls
// these and never touches the table.
//
// Failure: before the table arrives every call answers APIERR_GENERAL; an entry the host does not
// offer answers APIERR_MISSINGFUNCTION. The boolean calls answer false in both cases, and
// ACAPI_UseOwnResModule answers 0 (no module). Host main thread only.
#pragma once

#include "api/APIHostTable.h"

// resources
GSResModule ACAPI_UseOwnResModule ();
void ACAPI_ResetResModule (GSResModule previous);
// Copies string `index` (from 1) of list `resID` of the active resource module into `buffer`
// (at least 256 bytes; texts are cut to 255 characters). Answers false when there is none.
bool ACAPI_Resource_GetLocStr (char* buffer, Int16 resID, Int32 index);
GSErrCode ACAPI_GetOwnLocation (IO::Location* location);

// registration
GSErrCode ACAPI_Register_Menu (Int16 menuStrResID, Int16 promptStrResID, Int32 menuPosCode, Int32 menuFlags);
GSErrCode ACAPI_Install_MenuHandler (Int16 menuStrResID, APIMenuCommandProc handler);
GSErrCode ACAPI_Install_ModulDataMergeHandler (APIModulDataMergeHandlerProc handler);
GSErrCode ACAPI_Notify_CatchProjectEvent (Int32 eventMask, APIProjectEventHandlerProc handler);
GSErrCode ACAPI_RegisterModelessWindow (Int32 referenceID, APIPaletteControlCallBackProc callback, Int32 flags);
GSErrCode ACAPI_UnregisterModelessWindow (Int32 referenceID);

// grouped operations
GSErrCode ACAPI_Interface (UInt32 code, void* par1 = nullptr, void* par2 = nullptr);
GSErrCode ACAPI_Environment (UInt32 code, void* par1 = nullptr, void* par2 = nullptr);
GSErrCode ACAPI_Database (UInt32 code, void* par1 = nullptr, void* par2 = nullptr);
GSErrCode ACAPI_Automate (UInt32 code, void* par1 = nullptr, void* par2 = nullptr);
GSErrCode ACAPI_Goodies (UInt32 code, void* par1 = nullptr, void* par2 = nullptr);

// elements
GSErrCode ACAPI_Element_GetNum (API_ElemTypeID typeID, Int32* count);
GSErrCode ACAPI_Element_Get (API_Element* element);
bool ACAPI_Element_Filter (API_ElemTypeID typeID, Int32 index, Int32 filterBits);
GSErrCode ACAPI_Element_GetMemo (API_ElemTypeID typeID, Int32 index, API_ElementMemo* memo);
GSErrCode ACAPI_DisposeElemMemoHdls (API_ElementMemo* memo);
GSErrCode ACAPI_Element_Get3DInfo (API_ElemTypeID typeID, Int32 index, API_ElemInfo3D* info);
GSErrCode ACAPI_3D_GetComponent (API_Component3D* component);
GSErrCode ACAPI_Element_Change (API_Element* element, const API_Element* mask, const API_ElementMemo* memo,
                                UInt64 memoMask, bool withDel);
GSErrCode ACAPI_DisposeAddParHdl (API_AddParType*** params);

// library parts
GSErrCode ACAPI_LibPart_Search (API_LibPart* libPart, bool warnings);
GSErrCode ACAPI_LibPart_Get (API_LibPart* libPart);

// selection
GSErrCode ACAPI_Selection_Get (API_SelectionInfo* info, API_Neig*** neigs, bool onlyEditable);
GSErrCode ACAPI_Element_Select (API_Neig** neigs, Int32 count, bool add);

// undo
GSErrCode ACAPI_OpenUndoableSession (const char* name);
GSErrCode ACAPI_CloseUndoableSession ();

// module data
GSErrCode ACAPI_ModulData_Store (const API_ModulData* record);
GSErrCode ACAPI_ModulData_GetInfo (API_ModulData* record);
GSErrCode ACAPI_ModulData_Get (API_ModulData* record);

// report window
GSErrCode ACAPI_WriteReport (const char* text, bool withDialog);
