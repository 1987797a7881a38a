// The add-on's entry points and project events: Initialize's installations and help location,
// FreeData, the palette coming back with the next project, event 2, the store before saving and
// the events that change nothing.
#include "PaletteFixture.h"

#include "dg/HelpLocations.h"
#include "dg/PanelState.h"
#include "shell/Tessera.h"

namespace {

constexpr UInt32 HelpDeveloperId = 0x56722F64;   // 'Vr/d'
constexpr UInt32 HelpLocalId = 0xA148817C;

bool HelpRegistered ()
{
    for (const DG::HelpLocation& help : DG::GetAdditionalHelpLocations ())
        if (help.developerId == HelpDeveloperId && help.localId == HelpLocalId)
            return true;
    return false;
}

class EntryPointsTest : public TestSupport::PaletteFixture {
public:
    // Closes the open project and opens the next one, raising `openEvent`.
    void NextProject (Int32 openEvent)
    {
        ProjectEvent (TesseraEvent::Closing);
        host.project = HostSim::Project ();
        TestSupport::BuildSampleProject (host.project);
        ProjectEvent (openEvent);
    }
};

TEST_F (EntryPointsTest, InitializeStopsAtTheFirstFailingInstallation)
{
    ASSERT_EQ (client->entries.freeData (), NoError);
    struct Case {
        const char* failing;
        bool menuHandler, mergeHandler, help;
    };
    const Case cases[] = {
        {"ACAPI_Install_MenuHandler", false, false, false},
        {"ACAPI_Install_ModulDataMergeHandler", true, false, false},
        {"GSPF", true, true, true},   // the folder's answer is not looked at
        {"", true, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE (c.failing);
        client->menuHandlers.clear ();
        client->mergeHandler = nullptr;
        host.failures.Clear ();
        if (*c.failing != '\0')
            host.failures.Fail (c.failing, APIERR_GENERAL);
        const GSErrCode expected = c.help ? NoError : APIERR_GENERAL;
        EXPECT_EQ (client->entries.initialize (), expected);
        EXPECT_EQ (client->menuHandlers.count (AddonMenuResID) == 1, c.menuHandler);
        EXPECT_EQ (client->mergeHandler != nullptr, c.mergeHandler);
        EXPECT_EQ (HelpRegistered (), c.help);
        EXPECT_EQ (Palette (), nullptr);
        client->entries.freeData ();
    }
    host.failures.Clear ();
    ASSERT_EQ (client->entries.initialize (), NoError);
    const std::vector<DG::HelpLocation> help = DG::GetAdditionalHelpLocations ();
    ASSERT_FALSE (help.empty ());
    EXPECT_NE (help.back ().location.ToPath ().ToStd ().find ("/help"), std::string::npos) << "the host's folder";
}

TEST_F (EntryPointsTest, FreeDataWithNothingOpenOnlyUnregistersTheHelpLocation)
{
    ASSERT_TRUE (HelpRegistered ());
    SetMenuItemState (true);
    EXPECT_EQ (client->entries.freeData (), NoError);
    EXPECT_FALSE (HelpRegistered ());
    EXPECT_TRUE (MenuMarked ()) << "the menu is not touched";
    EXPECT_EQ (host.failures.Calls ("ACAPI_UnregisterModelessWindow"), 0);
    EXPECT_TRUE (host.project.moduleData.empty ()) << "nothing is written into the project";
}

TEST_F (EntryPointsTest, FreeDataReleasesTheCensusAndThePalette)
{
    MenuCommand ();
    ASSERT_NE (Palette (), nullptr);
    const Int32 id = Palette ()->GetId ();
    EXPECT_EQ (client->entries.freeData (), NoError);
    EXPECT_EQ (Palette (), nullptr);
    EXPECT_EQ (RefreshData::current, nullptr);
    EXPECT_EQ (DG::PanelStore::Find (id), nullptr);
    EXPECT_TRUE (host.project.moduleData.empty ());
}

TEST_F (EntryPointsTest, APaletteOpenAtACloseComesBackWithTheNextProject)
{
    for (const Int32 openEvent : {TesseraEvent::NewProject, TesseraEvent::OpenedProject}) {
        SCOPED_TRACE (openEvent);
        if (Palette () == nullptr)
            MenuCommand ();
        const Int32 censuses = Censuses ();

        ProjectEvent (TesseraEvent::Closing);
        EXPECT_EQ (Palette (), nullptr);
        EXPECT_EQ (RefreshData::current, nullptr);
        EXPECT_FALSE (MenuMarked ());
        host.project = HostSim::Project ();
        TestSupport::BuildSampleProject (host.project);
        ProjectEvent (openEvent);
        ASSERT_NE (Palette (), nullptr);
        EXPECT_TRUE (Palette ()->IsVisible ());
        EXPECT_TRUE (MenuMarked ());
        EXPECT_EQ (Censuses (), censuses + 1) << "filled by a census of the new project";
        ASSERT_NE (RefreshData::current, nullptr);

        // The user closes it; closing that project too leaves the next one without a palette.
        MenuCommand ();
        NextProject (openEvent);
        EXPECT_EQ (Palette (), nullptr);
        EXPECT_FALSE (MenuMarked ());
        ProjectEvent (openEvent);   // a further open event does not bring one either
        EXPECT_EQ (Palette (), nullptr);
    }
}

TEST_F (EntryPointsTest, AnOpenEventKeepsAPaletteTheUserOpenedMeanwhile)
{
    MenuCommand ();
    ProjectEvent (TesseraEvent::Closing);
    MenuCommand ();   // opened again before the next project became current
    RollDownPalette* palette = Palette ();
    ASSERT_NE (palette, nullptr);
    ProjectEvent (TesseraEvent::OpenedProject);
    EXPECT_EQ (Palette (), palette);
    EXPECT_TRUE (MenuMarked ());
}

TEST_F (EntryPointsTest, EventTwoStopsEventsUntilANewPalette)
{
    MenuCommand ();
    ProjectEvent (TesseraEvent::StopEvents);
    EXPECT_EQ (client->eventHandler, nullptr);
    ProjectEvent (TesseraEvent::BeforeSave);
    EXPECT_TRUE (host.project.moduleData.empty ()) << "no store while events are stopped";

    MenuCommand ();
    MenuCommand ();   // a new palette registers the handler again
    EXPECT_EQ (client->eventMask, 0xFF);
    ProjectEvent (TesseraEvent::BeforeSave);
    EXPECT_FALSE (host.project.moduleData.empty ());
}

TEST_F (EntryPointsTest, BeforeStoringTheLevelsGoIntoTheProject)
{
    MenuCommand ();
    for (const Int32 event : {TesseraEvent::BeforeSave, TesseraEvent::BeforeSaveAs}) {
        SCOPED_TRACE (event);
        host.project.moduleData.clear ();
        ProjectEvent (event);
        EXPECT_FALSE (host.project.moduleData.empty ());
        const Int16* live = Data::Instance ().detLevValuesGuidIndex.GetPtr (GuidStr ("{CHAIR}"));
        ASSERT_NE (live, nullptr) << "the census put the chair's level into the live table";
        const Int16 liveLevel = *live;
        ModuleData::Instance ().ClearReadFlag ();
        const Int16* stored = ModuleData::Instance ().GetDetLevValuesGuidIndexFromFile ().GetPtr (GuidStr ("{CHAIR}"));
        ASSERT_NE (stored, nullptr);
        EXPECT_EQ (*stored, liveLevel);
    }
}

TEST_F (EntryPointsTest, OtherEventsChangeNothing)
{
    MenuCommand ();
    RollDownPalette* palette = Palette ();
    RefreshData* census = RefreshData::current;
    for (const Int32 event : {16, 64, 256}) {
        SCOPED_TRACE (event);
        EXPECT_EQ (NotificationHandler (event, 0), NoError);
        EXPECT_EQ (Palette (), palette);
        EXPECT_EQ (RefreshData::current, census);
        EXPECT_TRUE (MenuMarked ());
        EXPECT_TRUE (host.project.moduleData.empty ());
        EXPECT_EQ (client->eventMask, 0xFF);
    }
    EXPECT_EQ (Censuses (), 1);
}

}   // namespace
