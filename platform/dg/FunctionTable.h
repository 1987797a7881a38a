// dgFt: the framework's table of plain functions, for code that holds no item object. Each entry
// addresses an item by dialog identifier and item number:
//   the dialog identifier is a dialog resource number; it names the most recently built live
//   panel of that resource (a page, a dialog), so a page built twice is addressed at its newest.
// Both entries set the item's text (a null text counts as empty) and raise no event; the second
// also redraws the item, which a headless framework has nothing to do for. They answer NoError,
// or ErrNoDialog / ErrNoItem when no live panel or no such item answers to the address. Host main
// thread only.
#pragma once

#include "gs/GSTypes.h"

namespace DG {

constexpr GSErrCode ErrNoDialog = static_cast<GSErrCode> (0x81090001);
constexpr GSErrCode ErrNoItem = static_cast<GSErrCode> (0x81090002);

using ItemTextProc = GSErrCode (*) (Int32 dialogId, Int16 item, const char* text);

struct FunctionTable {
    ItemTextProc SetItemText;
    ItemTextProc SetItemTextAndRedraw;
};

// The live panel a dialog identifier names, as above; 0 for none.
Int32 FindPanelOfDialogId (Int32 dialogId);

}   // namespace DG

extern const DG::FunctionTable dgFt;
