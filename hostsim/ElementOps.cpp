// Table entries that read elements: count, get, filter and the memo of a placed module.
#include "Host.h"

#include "gs/MemoryHandle.h"

#include <cstring>

namespace HostSim {

namespace {

GSErrCode ElementGetNum (API_Client c, API_ElemTypeID type, Int32* count)
{
    Host& host = Host::Of (c);
    if (GSErrCode e = host.failures.Check ("ACAPI_Element_GetNum"))
        return e;
    if (count == nullptr)
        return APIERR_BADPARS;
    auto it = host.project.elements.find (type);
    *count = it == host.project.elements.end () ? 0 : static_cast<Int32> (it->second.size ());
    return NoError;
}

GSErrCode ElementGet (API_Client c, API_Element* element)
{
    Host& host = Host::Of (c);
    if (GSErrCode e = host.failures.Check ("ACAPI_Element_Get"))
        return e;
    if (element == nullptr)
        return APIERR_BADPARS;
    const Element* model = host.project.FindElement (element->header.typeID, element->header.index);
    if (model == nullptr)
        return APIERR_BADID;
    std::memset (element, 0, sizeof (API_Element));
    element->header.typeID = model->type;
    element->header.index = model->index;
    element->header.variationID = model->variation;
    element->header.floorInd = model->story;
    element->header.hotlinkFlag = model->hotlinkFlag ? 1 : 0;
    element->header.moduleInstanceInd = model->moduleInstance;
    element->libInd = model->type >= 4 && model->type <= 7 ? model->libInd : 0;
    element->moduleKind = model->moduleKind;
    return NoError;
}

// Filter 2: on a shown layer; 16: in the user's own workspace. Other bits ask nothing more.
bool ElementFilter (API_Client c, API_ElemTypeID type, Int32 index, Int32 filterBits)
{
    Host& host = Host::Of (c);
    if (host.failures.Check ("ACAPI_Element_Filter") != NoError)
        return false;
    const Element* model = host.project.FindElement (type, index);
    if (model == nullptr)
        return false;
    if ((filterBits & 2) != 0 && !model->shownLayer)
        return false;
    if ((filterBits & 16) != 0 && !model->ownWorkspace)
        return false;
    return true;
}

GSErrCode ElementGetMemo (API_Client c, API_ElemTypeID type, Int32 index, API_ElementMemo* memo)
{
    Host& host = Host::Of (c);
    if (GSErrCode e = host.failures.Check ("ACAPI_Element_GetMemo"))
        return e;
    if (memo == nullptr)
        return APIERR_BADPARS;
    const Element* model = host.project.FindElement (type, index);
    if (model == nullptr)
        return APIERR_BADID;
    if (model->hasLinkBlock) {
        memo->linkBlock = BMAllocateHandle (2 * sizeof (Int32));
        if (memo->linkBlock == nullptr)
            return APIERR_GENERAL;
        reinterpret_cast<Int32*> (*memo->linkBlock)[1] = model->linkWord;
    }
    return NoError;
}

GSErrCode DisposeElemMemoHdls (API_Client c, API_ElementMemo* memo)
{
    Host::Of (c).failures.Check ("ACAPI_DisposeElemMemoHdls");
    if (memo == nullptr)
        return APIERR_BADPARS;
    BMKillHandle (&memo->linkBlock);
    GSHandle params = reinterpret_cast<GSHandle> (memo->params);
    BMKillHandle (&params);
    memo->params = nullptr;
    return NoError;
}

}   // namespace

void InstallElementOps (Host&, API_HostTable& table)
{
    table.elementGetNum = &ElementGetNum;
    table.elementGet = &ElementGet;
    table.elementFilter = &ElementFilter;
    table.elementGetMemo = &ElementGetMemo;
    table.disposeElemMemoHdls = &DisposeElemMemoHdls;
}

}   // namespace HostSim
