#include "RollDownDialogGeneralPage.h"

#include "RollDownPalette.h"

#include "host/ACAPI.h"

#include <cstdio>

RollDownDialogGeneralPage::RollDownDialogGeneralPage (const DG::TabControl& tabControl, Int16 resourceNumber)
    : DG::TabPage (tabControl, 1, resourceNumber)
{
    Attach (*this);
}

RollDownDialogGeneralPage::~RollDownDialogGeneralPage ()
{
    Detach (*this);
}

RollDownPalette* RollDownDialogGeneralPage::GetPalette () const
{
    return dynamic_cast<RollDownPalette*> (GetParentDialog ());
}

void RollDownDialogGeneralPage::SetRollPanelTitle (Int32 position, const GS::String& title) const
{
    RollDownPalette* palette = GetPalette ();
    UD::RollDownSurface* surface = palette != nullptr ? palette->GetRollDownSurface () : nullptr;
    if (surface == nullptr)
        return;
    const std::vector<UD::IRollDownPanelSet*> sets = surface->GetPanelSets ();
    if (sets.empty ())
        return;
    if (UD::IRollPanel* panel = sets.front ()->GetPanel (position))
        panel->SetTitle (title);
}

GS::String RollDownDialogGeneralPage::ResourceText (Int16 listId, Int32 index, bool* found)
{
    char text[256] = {};
    const bool fetched = ACAPI_Resource_GetLocStr (text, listId, index);
    if (found != nullptr)
        *found = fetched;
    return fetched ? GS::String (text) : GS::String ();
}

Int16 RollDownDialogGeneralPage::ResourceNumber (Int16 listId, Int32 index)
{
    short number = 0;
    if (std::sscanf (ResourceText (listId, index).ToCStr (), "%hd", &number) != 1)
        return 0;
    return static_cast<Int16> (number);
}
