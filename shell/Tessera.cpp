// The add-on's main module: the entry points the host calls through the binding.
#include "host/ACAPI.h"
#include "host/EntryPoints.h"
#include "host/ResourceModuleLock.h"
#include "shell/APICommon.h"

#include <cstring>

namespace {

constexpr Int16 AddonNamesResID = 32000;
constexpr Int16 MenuPromptResID = 32502;
constexpr Int32 MenuPositionCode = 12;

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

GSErrCode Initialize () { return NoError; }

GSErrCode FreeData () { return NoError; }
