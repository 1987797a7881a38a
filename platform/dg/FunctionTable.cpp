#include "FunctionTable.h"

#include "PanelState.h"

namespace DG {

Int32 FindPanelOfDialogId (Int32 dialogId)
{
    if (dialogId <= 0)
        return 0;
    Int32 found = 0;
    for (Int32 id : PanelStore::LivePanels ()) {   // oldest first: the last match is the newest
        if (PanelStore::Find (id)->resourceId == dialogId)
            found = id;
    }
    return found;
}

namespace {

GSErrCode SetText (Int32 dialogId, Int16 item, const char* text)
{
    const Int32 panelId = FindPanelOfDialogId (dialogId);
    if (panelId == 0)
        return ErrNoDialog;
    ItemState* state = PanelStore::FindItem (panelId, item);
    if (state == nullptr)
        return ErrNoItem;
    state->text = text != nullptr ? text : "";
    return NoError;
}

}   // namespace

}   // namespace DG

const DG::FunctionTable dgFt = {DG::SetText, DG::SetText};
