#include "RollDownDialogGeneralPage3.h"

#include "RollDownDialogGeneralPage5.h"
#include "RollDownPalette.h"

#include "census/RefreshData.h"
#include "host/ResourceModuleLock.h"
#include "store/Data.h"
#include "store/DisplayedDetLev.h"
#include "store/ModuleData.h"

namespace {

constexpr Int16 TextsResID = 144;
enum Text : Int32 { TitlePrefix = 1, Threshold = 2 };
constexpr Int16 EntryCount = 4;
constexpr Int16 KeepEntry = 4;   // level 3: keep the placements as they are
constexpr UInt32 MaxTitleLength = 255;

}   // namespace

Int16 DefaultLevelEntry ()
{
    if (RefreshData::current != nullptr)
        return static_cast<Int16> (Data::Instance ().defaultDetLev + 1);
    return static_cast<Int16> (ModuleData::Instance ().GetDefaultDetLevValueFromFile () + 1);
}

RollDownDialogGeneralPage3::RollDownDialogGeneralPage3 (const DG::TabControl& tabControl)
    : RollDownDialogGeneralPage (tabControl, ResourceId), levelLabel (GetReference (), 2),
      levelPopUp (GetReference (), 1)
{
    for (Int16 entry = 1; entry <= EntryCount; ++entry) {
        levelPopUp.AppendItem ();
        levelPopUp.SetItemText (entry, DisplayedDetLev::Instance ().GetName (static_cast<Int16> (entry - 1)));
    }
    levelPopUp.SelectItem (DefaultLevelEntry ());
    levelPopUp.Attach (*this);
}

RollDownDialogGeneralPage3::~RollDownDialogGeneralPage3 ()
{
    levelPopUp.Detach (*this);
}

void RollDownDialogGeneralPage3::PopUpChanged (const DG::PopUpChangeEvent& ev)
{
    if (ev.GetSource ()->GetSelectedItem () != KeepEntry) {
        RollDownPalette* palette = GetPalette ();
        if (palette != nullptr && palette->generalPage5 != nullptr)
            palette->generalPage5->PopulateTree ();
    }
    ChangeTitle ();
}

void RollDownDialogGeneralPage3::PanelOpened (const DG::PanelOpenEvent&) {}

void RollDownDialogGeneralPage3::PanelResized (const DG::PanelResizeEvent& ev)
{
    if (!IsOwnEvent (ev))
        return;
    {
        ResourceModuleLock lock;
        const DG::Rect popUp = levelPopUp.GetRect ();
        const Int16 width = static_cast<Int16> (GetWidth ());
        const bool wide = width > ResourceNumber (TextsResID, Threshold);
        BeginMoveResizeItems ();
        Int32 left = 30, right = width - 30;
        if (wide) {
            levelLabel.Show ();
            const DG::Rect label = levelLabel.GetRect ();
            left = label.left + label.width + 10;
            right = width - 20;
        } else {
            levelLabel.Hide ();
        }
        levelPopUp.SetRect (DG::Rect{left, popUp.top, right - left, popUp.height});
        EndMoveResizeItems ();
    }
    ChangeTitle ();
}

void RollDownDialogGeneralPage3::ChangeTitle ()
{
    try {
        ResourceModuleLock lock;
        const GS::String levelName = levelPopUp.GetItemText (levelPopUp.GetSelectedItem ());
        const bool wide = static_cast<Int16> (GetWidth ()) > ResourceNumber (TextsResID, Threshold);
        const GS::String title = wide ? ResourceText (TextsResID, TitlePrefix) + levelName : levelName;
        SetRollPanelTitle (2, title.GetSubstring (0, MaxTitleLength));
    } catch (...) {
        // the title stays as it was
    }
}
