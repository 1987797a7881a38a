// Table entries for resources, registration, the report window and menu item flags.
#include "Host.h"

#include "gs/IOLocation.h"
#include "rsrc/ResourceModules.h"

#include <cstring>

namespace HostSim {

namespace {

GSResModule UseOwnResModule (API_Client c)
{
    if (Host::Of (c).failures.Check ("ACAPI_UseOwnResModule") != NoError)
        return RSRC::GetActiveModule ();
    return RSRC::SetActiveModule (Host::ClientOf (c).resModule);
}

void ResetResModule (API_Client c, GSResModule previous)
{
    Host::Of (c).failures.Check ("ACAPI_ResetResModule");
    RSRC::SetActiveModule (previous);
}

bool ResourceGetLocStr (API_Client c, char* buffer, Int16 resID, Int32 index)
{
    if (Host::Of (c).failures.Check ("ACAPI_Resource_GetLocStr") != NoError || buffer == nullptr)
        return false;
    const RSRC::ResourceFile* file = RSRC::ActiveFile ();
    const std::string* text = file != nullptr ? file->GetString (resID, index) : nullptr;
    if (text == nullptr)
        return false;
    const size_t n = std::min<size_t> (text->size (), 255);
    std::memcpy (buffer, text->data (), n);
    buffer[n] = '\0';
    return true;
}

GSErrCode GetOwnLocation (API_Client c, IO::Location* location)
{
    if (GSErrCode e = Host::Of (c).failures.Check ("ACAPI_GetOwnLocation"))
        return e;
    if (location == nullptr)
        return APIERR_BADPARS;
    *location = IO::Location (GS::String (Host::ClientOf (c).modulePath));
    return NoError;
}

GSErrCode RegisterMenu (API_Client c, Int16 menuStrResID, Int16 promptStrResID, Int32 position, Int32 flags)
{
    if (GSErrCode e = Host::Of (c).failures.Check ("ACAPI_Register_Menu"))
        return e;
    Host::ClientOf (c).menus.push_back ({menuStrResID, promptStrResID, position, flags});
    return NoError;
}

GSErrCode InstallMenuHandler (API_Client c, Int16 menuStrResID, APIMenuCommandProc handler)
{
    if (GSErrCode e = Host::Of (c).failures.Check ("ACAPI_Install_MenuHandler"))
        return e;
    Host::ClientOf (c).menuHandlers[menuStrResID] = handler;
    return NoError;
}

GSErrCode InstallMergeHandler (API_Client c, APIModulDataMergeHandlerProc handler)
{
    if (GSErrCode e = Host::Of (c).failures.Check ("ACAPI_Install_ModulDataMergeHandler"))
        return e;
    Host::ClientOf (c).mergeHandler = handler;
    return NoError;
}

GSErrCode CatchProjectEvent (API_Client c, Int32 eventMask, APIProjectEventHandlerProc handler)
{
    if (GSErrCode e = Host::Of (c).failures.Check ("ACAPI_Notify_CatchProjectEvent"))
        return e;
    AddonClient& client = Host::ClientOf (c);
    client.eventMask = handler != nullptr ? eventMask : 0;
    client.eventHandler = handler;
    return NoError;
}

GSErrCode RegisterModelessWindow (API_Client c, Int32 referenceID, APIPaletteControlCallBackProc callback, Int32)
{
    if (GSErrCode e = Host::Of (c).failures.Check ("ACAPI_RegisterModelessWindow"))
        return e;
    Host::ClientOf (c).modelessWindows[referenceID] = callback;
    return NoError;
}

GSErrCode UnregisterModelessWindow (API_Client c, Int32 referenceID)
{
    if (GSErrCode e = Host::Of (c).failures.Check ("ACAPI_UnregisterModelessWindow"))
        return e;
    return Host::ClientOf (c).modelessWindows.erase (referenceID) > 0 ? NoError : APIERR_BADID;
}

GSErrCode WriteReport (API_Client c, const char* text, bool)
{
    if (GSErrCode e = Host::Of (c).failures.Check ("ACAPI_WriteReport"))
        return e;
    Host::Of (c).report.emplace_back (text != nullptr ? text : "");
    return NoError;
}

// 'GMIF' and 'SMIF': par1 the item reference, par2 the 32-bit flags.
GSErrCode GetMenuItemFlags (Host& host, AddonClient&, void* par1, void* par2)
{
    if (par1 == nullptr || par2 == nullptr)
        return APIERR_BADPARS;
    const auto* ref = static_cast<const API_MenuItemRef*> (par1);
    auto it = host.menuItemFlags.find ({ref->menuResID, ref->itemIndex});
    *static_cast<Int32*> (par2) = it == host.menuItemFlags.end () ? 0 : it->second;
    return NoError;
}

GSErrCode SetMenuItemFlags (Host& host, AddonClient&, void* par1, void* par2)
{
    if (par1 == nullptr || par2 == nullptr)
        return APIERR_BADPARS;
    const auto* ref = static_cast<const API_MenuItemRef*> (par1);
    host.menuItemFlags[{ref->menuResID, ref->itemIndex}] = *static_cast<const Int32*> (par2);
    return NoError;
}

// 'GSPF': par1 the folder kind (32-bit), par2 the answer location: the host's help folder.
GSErrCode GetSpecFolder (Host&, AddonClient& client, void* par1, void* par2)
{
    if (par1 == nullptr || par2 == nullptr)
        return APIERR_BADPARS;
    const std::string& module = client.modulePath;
    const auto slash = module.rfind ('/');
    const std::string dir = slash == std::string::npos ? std::string (".") : module.substr (0, slash);
    *static_cast<IO::Location*> (par2) = IO::Location (GS::String (dir + "/help"));
    return NoError;
}

}   // namespace

void InstallResourceOps (Host& host, API_HostTable& table)
{
    table.useOwnResModule = &UseOwnResModule;
    table.resetResModule = &ResetResModule;
    table.resourceGetLocStr = &ResourceGetLocStr;
    table.getOwnLocation = &GetOwnLocation;
    table.registerMenu = &RegisterMenu;
    table.installMenuHandler = &InstallMenuHandler;
    table.installModulDataMergeHandler = &InstallMergeHandler;
    table.notifyCatchProjectEvent = &CatchProjectEvent;
    table.registerModelessWindow = &RegisterModelessWindow;
    table.unregisterModelessWindow = &UnregisterModelessWindow;
    table.writeReport = &WriteReport;
    host.RegisterSelector (OpGroup::Interface, APIIo_GetMenuItemFlagsID, &GetMenuItemFlags);
    host.RegisterSelector (OpGroup::Interface, APIIo_SetMenuItemFlagsID, &SetMenuItemFlags);
    host.RegisterSelector (OpGroup::Environment, APIEnv_GetSpecFolderID, &GetSpecFolder);
}

}   // namespace HostSim
