// DG::TabControl: the place on a dialog where tab pages go, one page per tab index (from 1). A
// roll-down panel owns one (UD::IPanel::GetTabControl); the pages built on it belong to whoever
// built them. The control keeps only ids: a page that outlives its control keeps its dialog and
// size, a control asked for a destroyed page answers null. Its width is the width of its pages;
// the roll-down surface sets both when the dialog is resized. Host main thread only.
#pragma once

#include "DGTypes.h"

#include <map>

namespace DG {

class Dialog;
class TabPage;

struct TabControlState {
    Int32 dialogId = 0;
    Int32 width = 0;
    std::map<Int16, Int32> pages;   // tab index -> page panel id
};

class TabControl {
public:
    // A control on `dialog`, `width` wide.
    TabControl (const Dialog& dialog, Int32 width);
    ~TabControl ();
    TabControl (const TabControl&) = delete;
    TabControl& operator= (const TabControl&) = delete;

    Int32 GetId () const { return id; }
    // The dialog, while it lives; else null.
    Dialog* GetDialog () const;
    Int32 GetWidth () const;
    // The live page on tab `tabIndex`, or null.
    TabPage* GetTabPage (Int16 tabIndex) const;

    // The state of control `id`, or null once it is gone.
    static TabControlState* FindState (Int32 id);

private:
    Int32 id;
};

}   // namespace DG
