#include "APICommon.h"

#include "gs/MemoryHandle.h"
#include "gs/SysBeep.h"
#include "host/ResourceModuleLock.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {

// Selection reference kind and sub-index per element type; kind 0 means the type has none.
struct NeigMapping {
    Int32 kind;
    Int16 inIndex;
};

constexpr NeigMapping neigTable[33] = {
    {0, 0},                                                       // 0
    {1, 1},   {5, 0},   {6, 1},   {10, 0},  {12, 0},  {13, 1},   // 1 .. 6
    {14, 1},  {15, 1},  {17, 1},  {20, 1},  {26, 1},  {27, 1},   // 7 .. 12
    {28, 1},  {30, 1},  {31, 1},  {32, 1},  {33, 1},  {37, 1},   // 13 .. 18
    {39, 1},  {41, 1},  {43, 1},  {45, 1},  {47, 1},  {49, 1},   // 19 .. 24
    {50, 1},  {52, 1},  {0, 0},   {0, 0},   {0, 0},   {0, 0},    // 25 .. 30
    {56, 1},  {57, 1},                                            // 31, 32
};

constexpr API_ElemTypeID ModuleInstanceType = 28;

}   // namespace

API_ElemTypeID CensusTypeOf (const API_Elem_Head& head)
{
    if (head.typeID == 6 && head.variationID == API_StairVariation)
        return My_StairID;
    return head.typeID;
}

const char* ElemID_To_Name (API_ElemTypeID type)
{
    static char elemName[48];
    if (type < 0 || type > My_StairID)
        return "???";
    char text[256] = "";
    {
        ResourceModuleLock lock;
        ACAPI_Resource_GetLocStr (text, 151, type + 1);
    }
    // Names are meant to fit; a longer one is cut rather than written past the buffer.
    std::strncpy (elemName, text, sizeof elemName - 1);
    elemName[sizeof elemName - 1] = '\0';
    return elemName;
}

bool IsLibPartObject (API_ElemTypeID type) { return type >= 4 && type <= 7; }

Int32 GetLibInd (API_Element* element)
{
    if (element == nullptr || !IsLibPartObject (element->header.typeID))
        return 0;
    return element->libInd;
}

bool IsFromHotlinkModule (API_Element* element)
{
    if (element == nullptr || element->header.moduleInstanceInd == 0)
        return false;
    const Int32 instanceIndex = element->header.moduleInstanceInd;

    API_Element instance;
    std::memset (&instance, 0, sizeof instance);
    instance.header.typeID = ModuleInstanceType;
    instance.header.index = instanceIndex;
    if (ACAPI_Element_Get (&instance) != NoError)
        return false;
    if (instance.moduleKind != 1 || instance.header.hotlinkFlag == 0)
        return false;

    API_ElementMemo memo;
    std::memset (&memo, 0, sizeof memo);
    const GSErrCode err = ACAPI_Element_GetMemo (ModuleInstanceType, instanceIndex, &memo);
    const bool linked = err == NoError && memo.linkBlock != nullptr &&
                        BMGetHandleSize (memo.linkBlock) >= 2 * sizeof (Int32) &&
                        reinterpret_cast<const Int32*> (*memo.linkBlock)[1] != 0;
    ACAPI_DisposeElemMemoHdls (&memo);
    return linked;
}

bool ElemHead_To_Neig (API_Neig* neig, const API_Elem_Head* head)
{
    neig->index = head->index;
    const API_ElemTypeID type = head->typeID;
    if (type < 0 || type >= static_cast<API_ElemTypeID> (sizeof neigTable / sizeof neigTable[0]))
        return false;
    const NeigMapping& m = neigTable[type];
    if (m.kind == 0)
        return false;
    neig->neigID = m.kind;
    neig->inIndex = m.inIndex;
    return true;
}

void WriteReport (const char* format, ...)
{
    static char buffer[512];
    va_list args;
    va_start (args, format);
    std::vsnprintf (buffer, sizeof buffer, format, args);
    va_end (args);
    ACAPI_WriteReport (buffer, false);
}

void BeepSound () { GS::SysBeep (1); }

void SetMenuItemState (bool on)
{
    API_MenuItemRef item;
    std::memset (&item, 0, sizeof item);
    item.menuResID = AddonMenuResID;
    item.itemIndex = 1;
    Int32 flags = 0;
    ACAPI_Interface (APIIo_GetMenuItemFlagsID, &item, &flags);
    if (on)
        flags |= API_MenuItemChecked;
    else
        flags &= ~API_MenuItemChecked;
    ACAPI_Interface (APIIo_SetMenuItemFlagsID, &item, &flags);
}
