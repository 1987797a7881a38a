// The add-on's main module: the entry points the host calls through the binding, the menu
// command and the project events.
#include "shell/Tessera.h"

#include "census/RefreshData.h"
#include "dg/HelpLocations.h"
#include "gs/IOLocation.h"
#include "host/ACAPI.h"
#include "host/EntryPoints.h"
#include "host/ResourceModuleLock.h"
#include "palette/RollDownPalette.h"
#include "shell/APICommon.h"
#include "store/Data.h"
#include "store/ModuleData.h"
#include "store/TesseraModuleData.h"

#include <cstring>

namespace {

constexpr Int16 AddonNamesResID = 32000;
constexpr Int16 MenuPromptResID = 32502;
constexpr Int32 MenuPositionCode = 12;
constexpr Int32 AllProjectEvents = 0xFF;

// Where the dialog framework looks for the add-on's help: the host's folder of kind 11.
constexpr Int32 HelpFolderKind = 11;
constexpr UInt32 HelpDeveloperId = 0x56722F64;   // 'Vr/d'
constexpr UInt32 HelpLocalId = 0xA148817C;

}   // namespace

Int32 CheckEnvironment (API_EnvirParams* envir)
{
    ResourceModuleLock lock;
    ACAPI_Resource_GetLocStr (envir->addOnInfo.name, AddonNamesResID, 1);
    ACAPI_Resource_GetLocStr (envir->addOnInfo.description, AddonNamesResID, 2);
    return API_AddonKindNormal;
}

GSErrCode RegisterInterface ()
{
    return ACAPI_Register_Menu (AddonMenuResID, MenuPromptResID, MenuPositionCode, 0);
}

GSErrCode Initialize ()
{
    RollDownPalette::palette = nullptr;
    if (GSErrCode err = ACAPI_Install_MenuHandler (AddonMenuResID, CommandHandler))
        return err;
    if (GSErrCode err = ACAPI_Install_ModulDataMergeHandler (MergeHandlerProc))
        return err;
    Int32 folderKind = HelpFolderKind;
    IO::Location helpFolder;
    ACAPI_Environment (APIEnv_GetSpecFolderID, &folderKind, &helpFolder);
    DG::RegisterAdditionalHelpLocation (HelpDeveloperId, HelpLocalId, helpFolder);
    return NoError;
}

GSErrCode FreeData ()
{
    delete RefreshData::current;
    RefreshData::current = nullptr;
    RollDownPalette* palette = RollDownPalette::palette;
    RollDownPalette::palette = nullptr;
    delete palette;
    DG::UnregisterAdditionalHelpLocation (HelpDeveloperId, HelpLocalId);
    return NoError;
}

GSErrCode CommandHandler (const API_MenuParams* params)
{
    try {
        if (params != nullptr && params->menuItemRef.menuResID == AddonMenuResID)
            ShowHideRollDownPalette ();
    } catch (...) {
        // the add-on stays loaded
    }
    return NoError;
}

GSErrCode NotificationHandler (API_NotifyEventID event, Int32)
{
    static bool livedAtClose = false;
    try {
        switch (event) {
        case TesseraEvent::NewProject:
        case TesseraEvent::OpenedProject:
            // A palette the user opened meanwhile stays: the event only brings back a missing one.
            if (livedAtClose && RollDownPalette::palette == nullptr)
                ShowHideRollDownPalette ();
            break;
        case TesseraEvent::StopEvents:
            ACAPI_Notify_CatchProjectEvent (AllProjectEvents, nullptr);
            break;
        case TesseraEvent::BeforeSave:
        case TesseraEvent::BeforeSaveAs:
            Data::Instance ().WriteToModule ();
            break;
        case TesseraEvent::Closing:
            delete RefreshData::current;
            RefreshData::current = nullptr;
            ModuleData::Instance ().ClearReadFlag ();
            livedAtClose = RollDownPalette::palette != nullptr;
            if (livedAtClose)
                ShowHideRollDownPalette ();
            break;
        default:
            break;
        }
    } catch (...) {
        // the add-on stays loaded
    }
    return NoError;
}
