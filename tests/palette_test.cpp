// The palette shell: the menu command builds, shows and fills the palette and marks the command,
// then deletes it; the close box; the host's hide and show messages; titles after the first
// showing; a palette whose surface, panels or pages cannot be made leaves nothing behind.
#include "PaletteFixture.h"

#include "dg/Driver.h"
#include "dg/PanelState.h"
#include "dg/StaticText.h"
#include "dg/TextRenderer.h"
#include "palette/RollDownDialogGeneralPage4.h"
#include "palette/RollDownDialogGeneralPage5.h"

namespace {

using TestSupport::AddonString;

class PaletteShellTest : public TestSupport::PaletteFixture {};

std::string TotalText ()
{
    return DG::RightText (*RollDownPalette::palette->generalPage5, 4).GetText ().ToStd ();
}

TEST_F (PaletteShellTest, MenuCommandTwiceBuildsShowsFillsAndMarksThenDeletesAndUnmarks)
{
    MenuCommand ();
    RollDownPalette* palette = Palette ();
    ASSERT_NE (palette, nullptr);
    EXPECT_TRUE (palette->IsVisible ());
    EXPECT_TRUE (palette->IsProcessingEvents ());
    EXPECT_TRUE (MenuMarked ());
    EXPECT_EQ (Censuses (), 1);
    ASSERT_NE (RefreshData::current, nullptr);
    EXPECT_EQ (RefreshData::current->totalPolygons, TestSupport::SampleTotal);
    EXPECT_EQ (TotalText (), AddonString (146, 1) + std::to_string (TestSupport::SampleTotal));
    EXPECT_GT (palette->generalPage4->sizeList.GetItemCount (), 0) << "the list shows the census";
    EXPECT_EQ (client->modelessWindows.count (palette->GetId ()), 1u) << "registered once opened";

    // The titles come from the first showing's resize events.
    EXPECT_EQ (palette->GetTitle ().ToStd (), AddonString (141, 1));
    const auto panels = palette->GetRollDownSurface ()->GetPanelSets ().front ()->GetPanels ();
    ASSERT_EQ (panels.size (), 4u);
    EXPECT_EQ (panels[0]->GetTitle ().ToStd (), AddonString (142, 3));
    EXPECT_EQ (panels[1]->GetTitle ().ToStd (), AddonString (143, 1) + AddonString (143, 2));
    EXPECT_EQ (panels[2]->GetTitle ().ToStd (), AddonString (144, 1) + AddonString (150, 4));
    EXPECT_EQ (panels[3]->GetTitle ().ToStd (), AddonString (145, 1));

    const Int32 id = palette->GetId ();
    MenuCommand ();
    EXPECT_EQ (Palette (), nullptr);
    EXPECT_FALSE (MenuMarked ());
    EXPECT_EQ (DG::PanelStore::Find (id), nullptr) << "the palette window is gone";
    EXPECT_EQ (client->modelessWindows.count (id), 0u) << "and no longer registered with the host";
    EXPECT_EQ (Censuses (), 1);
    EXPECT_NE (RefreshData::current, nullptr) << "the census outlives the palette until the project closes";
}

TEST_F (PaletteShellTest, AnotherMenuNumberDoesNothing)
{
    MenuCommand (AddonMenuResID + 1);
    EXPECT_EQ (Palette (), nullptr);
    EXPECT_FALSE (MenuMarked ());
}

TEST_F (PaletteShellTest, CloseBoxDeletesThePaletteAndIsAccepted)
{
    MenuCommand ();
    ASSERT_NE (Palette (), nullptr);
    const size_t livePanels = DG::PanelStore::LivePanels ().size ();
    DG::Driver driver (*Palette ());
    EXPECT_TRUE (driver.CloseBox ()) << driver.GetError ();
    EXPECT_EQ (Palette (), nullptr);
    EXPECT_FALSE (MenuMarked ());
    EXPECT_EQ (DG::PanelStore::LivePanels ().size (), livePanels - 6) << "the palette and its five pages";

    MenuCommand ();
    EXPECT_NE (Palette (), nullptr) << "the next command builds a new one";
    EXPECT_EQ (Censuses (), 2);
}

TEST_F (PaletteShellTest, HostHidesAndShowsTheSamePaletteWithoutACensus)
{
    PaletteMessage (2);   // no palette: nothing happens
    EXPECT_EQ (RDPaletteAPIControlCallBack (0, 3), NoError);
    EXPECT_EQ (Palette (), nullptr);
    EXPECT_FALSE (MenuMarked ());

    MenuCommand ();
    RollDownPalette* palette = Palette ();
    ASSERT_NE (palette, nullptr);
    const std::string before = DG::RenderPanel (*palette);

    PaletteMessage (2);
    EXPECT_EQ (Palette (), palette);
    EXPECT_FALSE (palette->IsVisible ());
    EXPECT_FALSE (MenuMarked ());
    PaletteMessage (7);   // any other message: nothing
    EXPECT_FALSE (palette->IsVisible ());

    PaletteMessage (3);
    EXPECT_EQ (Palette (), palette);
    EXPECT_TRUE (palette->IsVisible ());
    EXPECT_TRUE (MenuMarked ());
    EXPECT_EQ (Censuses (), 1) << "showing again does not refresh";
    EXPECT_EQ (DG::RenderPanel (*palette), before);

    PaletteMessage (2);
    MenuCommand ();   // the command deletes a hidden palette
    EXPECT_EQ (Palette (), nullptr);
    EXPECT_FALSE (MenuMarked ());
    MenuCommand ();
    ASSERT_NE (Palette (), nullptr);
    EXPECT_TRUE (Palette ()->IsVisible ());
    EXPECT_EQ (Censuses (), 2);
}

TEST_F (PaletteShellTest, AFailedCreationLeavesNoPaletteAndTheMenuMarkAsItWas)
{
    struct Case {
        const char* what;
        DG::Creation creation;
        Int32 nth;
    };
    const Case cases[] = {
        {"palette", DG::Creation::Palette, 1},
        {"surface", DG::Creation::Surface, 1},
        {"panel set", DG::Creation::PanelSet, 1},
        {"page 3's roll panel", DG::Creation::Panel, 3},
        {"page 3", DG::Creation::TabPage, 3},
        {"page 4", DG::Creation::TabPage, 4},
        {"the separate panel", DG::Creation::SeparatePanel, 1},
        {"page 5", DG::Creation::TabPage, 5},
    };
    for (const bool marked : {false, true}) {
        for (const Case& c : cases) {
            SCOPED_TRACE (std::string (c.what) + (marked ? ", menu marked" : ""));
            SetMenuItemState (marked);
            const size_t livePanels = DG::PanelStore::LivePanels ().size ();
            DG::FailCreation (c.creation, c.nth);
            MenuCommand ();
            DG::ClearCreationFailures ();
            EXPECT_EQ (Palette (), nullptr);
            EXPECT_EQ (MenuMarked (), marked);
            EXPECT_EQ (DG::PanelStore::LivePanels ().size (), livePanels) << "the pages built so far are gone";
            EXPECT_TRUE (client->modelessWindows.empty ());
            EXPECT_EQ (Censuses (), 0);
        }
    }
    MenuCommand ();
    EXPECT_NE (Palette (), nullptr) << "with the switch off the palette builds";
}

}   // namespace
