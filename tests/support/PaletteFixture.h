// Test support for the palette and the entry points: the add-on bound to a fresh in-process host,
// initialized, with a small project (three stories, a wall, two detail-level parts and a lamp
// placed as objects, a lamp placed as a lamp) and the host's side of the menu command, project
// events and palette messages, called as the host calls them. TearDown unloads the add-on
// (FreeData), so no palette or census reaches the next test.
#pragma once

#include "TestHost.h"

#include "census/RefreshData.h"
#include "dg/CreationFailures.h"
#include "palette/RollDownPalette.h"
#include "shell/APICommon.h"
#include "store/Data.h"
#include "store/ModuleData.h"

#include <string>

namespace TestSupport {

// Library parts of the sample project.
constexpr Int32 ChairPart = 1;   // LevelOfDetail: Detailed 60 + 40, Simple 30, Block 10 polygons
constexpr Int32 TablePart = 2;   // LevelOfDetail: Detailed 50, Simple 20, Block 5 polygons
constexpr Int32 LampPart = 3;    // no detail parameter: 5 + 5 polygons
constexpr Int64 SampleTotal = 6 + 2 * 100 + 50 + 10 + 10;   // wall, chairs, table, lamp object, lamp

inline HostSim::LibPart DetailPart (const char* guid, const char* name, std::vector<Int32> detailed,
                                    std::vector<Int32> simple, std::vector<Int32> block)
{
    HostSim::LibPart part;
    part.guid = guid;
    part.name = name;
    HostSim::ParamDef lod;
    lod.name = "LevelOfDetail";
    lod.text = "Detailed";
    lod.valueList = {"Detailed", "Simple", "Block"};
    part.params = {lod};
    part.detailParam = "LevelOfDetail";
    part.bodiesByValue = {{"Detailed", detailed}, {"Simple", simple}, {"Block", block}};
    return part;
}

inline void BuildSampleProject (HostSim::Project& project)
{
    for (Int16 i = 0; i <= 2; ++i)
        project.stories.push_back ({i, "", 3.0 * i});
    project.AddLibPart (DetailPart ("{CHAIR}", "Chair", {60, 40}, {30}, {10}));
    project.AddLibPart (DetailPart ("{TABLE}", "Table", {50}, {20}, {5}));
    HostSim::LibPart lamp;
    lamp.guid = "{LAMP}";
    lamp.name = "Lamp";
    lamp.bodies = {5, 5};
    project.AddLibPart (lamp);

    HostSim::Element wall;
    wall.type = 1;
    wall.bodies = {6};
    project.AddElement (wall);
    for (Int32 part : {ChairPart, ChairPart, TablePart, LampPart}) {
        HostSim::Element object;
        object.type = 6;
        object.libInd = part;
        object.story = 1;
        project.AddElement (object);
    }
    HostSim::Element lampElement;
    lampElement.type = 7;
    lampElement.libInd = LampPart;
    project.AddElement (lampElement);
}

class PaletteFixture : public AddonTest {
public:
    void SetUp () override
    {
        AddonTest::SetUp ();
        DG::ClearCreationFailures ();
        BuildSampleProject (host.project);
        ModuleData::Instance ().ClearReadFlag ();
        Data::Instance ().detLevValuesGuidIndex.Clear ();
        ASSERT_EQ (client->entries.initialize (), NoError);
    }
    void TearDown () override
    {
        if (client != nullptr) {
            EXPECT_EQ (client->entries.freeData (), NoError);
        }
        DG::ClearCreationFailures ();
        AddonTest::TearDown ();
    }

    // The user picks the add-on's menu command; the host calls the installed handler.
    void MenuCommand (Int16 menu = AddonMenuResID)
    {
        API_MenuParams params{};
        params.menuItemRef.menuResID = menu;
        params.menuItemRef.itemIndex = 1;
        ASSERT_EQ (client->menuHandlers.count (AddonMenuResID), 1u);
        EXPECT_EQ (client->menuHandlers.at (AddonMenuResID) (&params), NoError);
    }
    bool MenuMarked () { return (host.menuItemFlags[{AddonMenuResID, 1}] & API_MenuItemChecked) != 0; }
    // The host sends a palette message to every modeless window the add-on registered.
    void PaletteMessage (Int32 message)
    {
        const auto windows = client->modelessWindows;
        for (const auto& [reference, callback] : windows)
            EXPECT_EQ (callback (reference, message), NoError);
    }
    // The host raises a project event; the add-on hears it only through a handler it installed.
    void ProjectEvent (Int32 event)
    {
        if (client->eventHandler != nullptr && (client->eventMask & event) != 0) {
            EXPECT_EQ (client->eventHandler (event, 0), NoError);
        }
    }
    // Censuses run since the host started: each opens the progress window once.
    Int32 Censuses () const { return host.progress.timesOpened; }

    static RollDownPalette* Palette () { return RollDownPalette::palette; }
};

}   // namespace TestSupport
