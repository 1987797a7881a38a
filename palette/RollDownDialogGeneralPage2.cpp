#include "RollDownDialogGeneralPage2.h"

#include "host/ResourceModuleLock.h"

namespace {

constexpr Int16 TextsResID = 143;
enum Text : Int32 { TitlePrefix = 1, TitleSelection = 2, TitleWholeModel = 3, TitleThreshold = 4 };
constexpr UInt32 MaxTitleLength = 255;   // prefix and choice share one 256-byte buffer

}   // namespace

RollDownDialogGeneralPage2::RollDownDialogGeneralPage2 (const DG::TabControl& tabControl)
    : RollDownDialogGeneralPage (tabControl, ResourceId), selectionRadio (GetReference (), 1),
      wholeModelRadio (GetReference (), 2)
{
    selectionRadio.Select ();
    selectionRadio.Attach (*this);
    wholeModelRadio.Attach (*this);
}

RollDownDialogGeneralPage2::~RollDownDialogGeneralPage2 ()
{
    selectionRadio.Detach (*this);
    wholeModelRadio.Detach (*this);
}

void RollDownDialogGeneralPage2::RadioItemChanged (const DG::RadioItemChangeEvent&)
{
    ChangeTitle ();
}

void RollDownDialogGeneralPage2::PanelResized (const DG::PanelResizeEvent&)
{
    ChangeTitle ();
}

void RollDownDialogGeneralPage2::ChangeTitle ()
{
    ResourceModuleLock lock;
    const GS::String choice =
        ResourceText (TextsResID, selectionRadio.IsSelected () ? TitleSelection : TitleWholeModel);
    const Int16 threshold = ResourceNumber (TextsResID, TitleThreshold);
    GS::String title =
        static_cast<Int16> (GetWidth ()) < threshold ? choice : ResourceText (TextsResID, TitlePrefix) + choice;
    SetRollPanelTitle (1, title.GetSubstring (0, MaxTitleLength));
}
