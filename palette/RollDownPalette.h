// RollDownPalette: the add-on's palette with its five pages (settings pages 1 to 3 and the size
// list page 4 on four roll panels, the buttons and total page 5 on the separate panel), how it is
// built and torn down, shown and hidden by the menu command, its close box and the host's palette
// messages, and its title.
//
// Ownership: RollDownPalette::palette owns the one live palette (null while there is none); the
// palette owns its pages, which live exactly as long as it does. Whoever deletes the palette sets
// the pointer to null. A missing surface, panel set, panel or page, or one that reports itself
// invalid, makes the palette invalid (IsValid false): the pages built so far go with it and
// nothing is shown; no message is given. Host main thread only, inside host or framework callbacks.
#pragma once

#include "DockableRollDownPalette.h"

#include "api/APIdefs.h"
#include "dg/PanelObserver.h"

class RollDownDialogGeneralPage1;
class RollDownDialogGeneralPage2;
class RollDownDialogGeneralPage3;
class RollDownDialogGeneralPage4;
class RollDownDialogGeneralPage5;

// Builds, shows and fills the palette when there is none; deletes it otherwise.
void ShowHideRollDownPalette ();
// The host's palette messages: 2 hides the palette, 3 shows it again; answers 0.
GSErrCode RDPaletteAPIControlCallBack (Int32 referenceID, API_PaletteMessageID messageID);

class RollDownPalette : public DockableRollDownPalette, private DG::PanelObserver {
public:
    static RollDownPalette* palette;

    // Runs with the add-on's own resource module active (ShowHideRollDownPalette sees to that).
    RollDownPalette ();
    ~RollDownPalette () override;

    // The palette and all five pages were built.
    bool IsValid () const { return valid; }
    // The palette's title, string 141/1.
    void MySetTitle ();

    RollDownDialogGeneralPage1* generalPage1 = nullptr;
    RollDownDialogGeneralPage2* generalPage2 = nullptr;
    RollDownDialogGeneralPage3* generalPage3 = nullptr;
    RollDownDialogGeneralPage4* generalPage4 = nullptr;
    RollDownDialogGeneralPage5* generalPage5 = nullptr;

    static constexpr Int32 ModelessWindowFlags = 5;

private:
    void PanelCloseRequested (const DG::PanelCloseRequestEvent& ev, bool* accepted) override;
    void PanelOpened (const DG::PanelOpenEvent& ev) override;
    void PanelResized (const DG::PanelResizeEvent& ev) override;

    void Build ();

    bool valid = false;
};

// Builders of the pages on a roll panel: the page, or null when it could not be made or is invalid.
RollDownDialogGeneralPage1* CreateGeneralPage1 (const UD::IPanel& panel);
RollDownDialogGeneralPage2* CreateGeneralPage2 (const UD::IPanel& panel);
RollDownDialogGeneralPage3* CreateGeneralPage3 (const UD::IPanel& panel);
RollDownDialogGeneralPage4* CreateGeneralPage4 (const UD::IPanel& panel);
RollDownDialogGeneralPage5* CreateGeneralPage5 (const UD::IPanel& panel);
// Deletes the page on the panel's tab control, if any.
void DestroyPage (const UD::IPanel& panel);
