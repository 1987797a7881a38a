// The live settings: built from the project's stored copy, census rows copied back, stored as the
// project's module data with one default record, and kept apart between projects while the
// add-on stays loaded.
#include "TestHost.h"

#include "census/RefreshData.h"
#include "dg/RecordingAgent.h"
#include "store/Data.h"
#include "store/ModuleData.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

using Records = std::vector<std::pair<std::string, Int16>>;

const std::string D = defaultDetLevGuid;
const std::string P = "{11111111-2222-3333-4444-555555555555}-1";
const std::string Q = "{AAAAAAAA-BBBB-CCCC-DDDD-EEEEEEEEEEEE}-02";
const std::string R = "{99999999-8888-7777-6666-555555555555}-03";

std::string Block (const Records& records)
{
    std::string bytes;
    for (const auto& [key, value] : records)
        bytes += key + '\0' + std::to_string (value) + '\0';
    return bytes;
}

// A well-formed block's records in order; a malformed one fails the test.
Records RecordsOf (const std::string& bytes)
{
    Records out;
    USize pos = 0;
    while (pos < bytes.size ()) {
        const USize keyEnd = bytes.find ('\0', pos);
        const USize valueEnd = keyEnd == std::string::npos ? keyEnd : bytes.find ('\0', keyEnd + 1);
        if (valueEnd == std::string::npos) {
            ADD_FAILURE () << "malformed block";
            break;
        }
        out.emplace_back (bytes.substr (pos, keyEnd - pos),
                          static_cast<Int16> (std::stoi (bytes.substr (keyEnd + 1, valueEnd - keyEnd - 1))));
        pos = valueEnd + 1;
    }
    return out;
}

Records Pairs (const detLevValuesGuidIndex& table)
{
    Records out;
    for (const auto& pair : table)
        out.emplace_back (pair.key.c_str (), pair.value);
    return out;
}

class LiveSettingsTest : public TestSupport::AddonTest {
public:
    void SetUp () override
    {
        TestSupport::AddonTest::SetUp ();
        CloseProject ();
    }
    void TearDown () override
    {
        CloseProject ();
        TestSupport::AddonTest::TearDown ();
    }

    // What the add-on's shell does when the host closes a project.
    void CloseProject ()
    {
        delete RefreshData::current;
        RefreshData::current = nullptr;
        ModuleData::Instance ().ClearReadFlag ();
    }

    void Store (const Records& records, Int32 version = 2)
    {
        host.project.moduleData[client->name] = HostSim::ModuleDataBlock{version, 0x4D4D, Block (records)};
    }
    Records Stored () { return RecordsOf (host.project.moduleData.at (client->name).bytes); }

    DG::RecordingAgent agent;
    DG::ScopedUserAgent scopedAgent{agent};

    // A completed census with `rows` per census type, in order, and the census' default level.
    void Census (const std::vector<std::pair<API_ElemTypeID, Records>>& rows, Int16 defaultLevel)
    {
        delete RefreshData::current;
        RefreshData::current = new RefreshData ();
        RefreshData::current->defaultDetLev = defaultLevel;
        for (const auto& [type, parts] : rows) {
            std::vector<LibRow> list;
            for (const auto& [guid, level] : parts)
                list.emplace_back ("part", 1, 10, level, GuidStr (guid.c_str ()), FFFTT (), 0);
            RefreshData::current->sortedGsms.Add (type, list);
        }
    }
};

TEST_F (LiveSettingsTest, ASaveBeforeAnyCensusStoresWhatWasReadPlusTheDefault)
{
    Store ({{P, 1}, {D, 2}, {Q, 4}});
    Data& data = Data::Instance ();
    EXPECT_EQ (Pairs (data.detLevValuesGuidIndex), (Records{{P, 1}, {Q, 4}}));
    EXPECT_EQ (data.defaultDetLev, 2);
    EXPECT_EQ (data.WriteToModule (), NoError);
    EXPECT_EQ (Stored (), (Records{{P, 1}, {Q, 4}, {D, 2}}));
    EXPECT_EQ (host.project.moduleData.at (client->name).version, 2);
}

TEST_F (LiveSettingsTest, CopyBackSetsPresentPartsAddsNewOnesAndTakesTheDefault)
{
    Store ({{P, 0}, {Q, 1}});
    Data& data = Data::Instance ();
    data.WriteBackToDetLevValuesGuidIndexFC ();
    EXPECT_EQ (Pairs (data.detLevValuesGuidIndex), (Records{{P, 0}, {Q, 1}})) << "no census: nothing changes";
    EXPECT_EQ (data.defaultDetLev, 3);

    Census ({{5, {{P, 2}, {R, 3}}}, {My_StairID, {{P, 1}}}}, 0);
    data.WriteBackToDetLevValuesGuidIndexFC ();
    EXPECT_EQ (Pairs (data.detLevValuesGuidIndex), (Records{{P, 1}, {Q, 1}, {R, 3}}))
        << "the row met last wins for a part listed under two types";
    EXPECT_EQ (data.defaultDetLev, 0);
    EXPECT_EQ (data.WriteToModule (), NoError);
    EXPECT_EQ (Stored (), (Records{{P, 1}, {Q, 1}, {R, 3}, {D, 0}}));
}

TEST_F (LiveSettingsTest, APartWhoseLevelTheCensusCouldNotSettleKeepsItsStoredLevel)
{
    // The host failed to answer for P (its stored level could not be looked up: the row says keep)
    // and for R (its parameters could not be read: the row says none); Q was read as usual.
    Store ({{P, 0}, {R, 1}, {Q, 1}});
    Data& data = Data::Instance ();
    Census ({{6, {{P, 3}, {R, DetLevNone}, {Q, 2}}}}, 3);
    RefreshData::current->levelUnknown.Put (GuidStr (P.c_str ()), true);
    RefreshData::current->levelUnknown.Put (GuidStr (R.c_str ()), true);
    EXPECT_EQ (data.WriteToModule (), NoError);
    EXPECT_EQ (Stored (), (Records{{P, 0}, {R, 1}, {Q, 2}, {D, 3}}));
}

TEST_F (LiveSettingsTest, TwoStoresInARowEachHoldOneDefaultRecordAndTheTableNone)
{
    Store ({{D, 1}, {P, 2}});
    Data& data = Data::Instance ();
    for (int store = 0; store < 2; ++store) {
        EXPECT_EQ (data.WriteToModule (), NoError);
        EXPECT_EQ (Stored (), (Records{{P, 2}, {D, 1}})) << store;
        EXPECT_FALSE (data.detLevValuesGuidIndex.ContainsKey (GuidStr (D.c_str ()))) << store;
    }
}

TEST_F (LiveSettingsTest, APartNoLongerRecognisedLeavesTheStoredBlock)
{
    Store ({{P, 1}, {Q, 2}});
    Census ({{4, {{P, 5}}}}, 3);
    EXPECT_EQ (Data::Instance ().WriteToModule (), NoError);
    EXPECT_EQ (Stored (), (Records{{Q, 2}, {D, 3}}));
    EXPECT_EQ (Pairs (Data::Instance ().detLevValuesGuidIndex), (Records{{P, 5}, {Q, 2}}));
}

TEST_F (LiveSettingsTest, AFailedStoreKeepsTheTableAndTheStoredBlock)
{
    Store ({{P, 1}});
    Data& data = Data::Instance ();
    host.failures.Fail ("ACAPI_ModulData_Store", APIERR_GENERAL);
    data.detLevValuesGuidIndex.Put (GuidStr (Q.c_str ()), 0);
    EXPECT_EQ (data.WriteToModule (), APIERR_GENERAL);
    EXPECT_EQ (Pairs (data.detLevValuesGuidIndex), (Records{{P, 1}, {Q, 0}}));
    EXPECT_EQ (Stored (), (Records{{P, 1}}));
}

TEST_F (LiveSettingsTest, ProjectsKeepTheirOwnLevelsWhileTheAddOnStaysLoaded)
{
    const std::map<std::string, HostSim::ModuleDataBlock> nothing;
    // Project A stores P at 1; the user changes P to 0 and closes without saving.
    Store ({{P, 1}, {D, 2}});
    Census ({{5, {{P, 1}}}}, 2);
    ASSERT_EQ (Data::Instance ().WriteToModule (), NoError);
    const auto projectA = host.project.moduleData;
    Data::Instance ().detLevValuesGuidIndex.Put (GuidStr (P.c_str ()), 0);
    CloseProject ();

    // Project B never saw P; it stores Q and counts R.
    Store ({{Q, 4}});
    EXPECT_EQ (Pairs (Data::Instance ().detLevValuesGuidIndex), (Records{{Q, 4}}));
    EXPECT_EQ (Data::Instance ().defaultDetLev, 3) << "not A's default";
    Census ({{6, {{R, 2}}}}, 3);
    ASSERT_EQ (Data::Instance ().WriteToModule (), NoError);
    EXPECT_EQ (Stored (), (Records{{Q, 4}, {R, 2}, {D, 3}}));
    CloseProject ();

    // Project C stores nothing: a save there keeps neither A's nor B's parts.
    host.project.moduleData = nothing;
    ASSERT_EQ (Data::Instance ().WriteToModule (), NoError);
    EXPECT_EQ (Stored (), (Records{{D, 3}}));
    CloseProject ();

    // A again: its stored P at 1 and default 2, not the unsaved 0.
    host.project.moduleData = projectA;
    EXPECT_EQ (Pairs (Data::Instance ().detLevValuesGuidIndex), (Records{{P, 1}}));
    EXPECT_EQ (Data::Instance ().defaultDetLev, 2);
    ASSERT_EQ (Data::Instance ().WriteToModule (), NoError);
    EXPECT_EQ (Stored (), (Records{{P, 1}, {D, 2}}));
}

TEST_F (LiveSettingsTest, AStoredBlockThatCouldNotBeReadIsNeverOverwritten)
{
    Store ({{D, 1}});
    EXPECT_EQ (Data::Instance ().defaultDetLev, 1);
    CloseProject ();

    struct Case {
        const char* what;
        Int32 version;
        const char* failing;
        GSErrCode code;
    };
    const Case cases[] = {
        {"another version", 3, "", APIERR_BADDATAVERSION},
        {"the host's info call fails", 2, "ACAPI_ModulData_GetInfo", APIERR_GENERAL},
        {"the host's fetch fails", 2, "ACAPI_ModulData_Get", APIERR_BADPARS},
    };
    for (const Case& c : cases) {
        Store ({{P, 1}}, c.version);
        const std::string before = host.project.moduleData.at (client->name).bytes;
        host.failures.Clear ();
        if (*c.failing != '\0')
            host.failures.Fail (c.failing, c.code, 1, 1);
        Data& data = Data::Instance ();
        EXPECT_TRUE (data.detLevValuesGuidIndex.IsEmpty ()) << c.what;
        EXPECT_EQ (data.defaultDetLev, 3) << c.what << ": not the previous project's default";
        EXPECT_EQ (agent.CountShown (128), 1u) << c.what << ": the failed read was shown";
        agent.Clear ();
        Census ({{5, {{Q, 2}}}}, 3);
        EXPECT_EQ (data.WriteToModule (), c.code) << c.what;
        EXPECT_EQ (host.project.moduleData.at (client->name).bytes, before) << c.what;
        EXPECT_EQ (host.project.moduleData.at (client->name).version, c.version) << c.what;
        EXPECT_EQ (host.failures.Calls ("ACAPI_ModulData_Store"), 0) << c.what;
        CloseProject ();
    }
    // The next readable project saves as usual.
    Store ({{P, 1}});
    EXPECT_EQ (Data::Instance ().WriteToModule (), NoError);
    EXPECT_EQ (Stored (), (Records{{P, 1}, {D, 3}}));
}

}   // namespace
