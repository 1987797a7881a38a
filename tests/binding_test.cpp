// The add-on's binding to the host's table: the exported record, calls before the table
// arrives, missing entries, and the client handle passed first.
#include "TestHost.h"

#include "host/ACAPI.h"

#include <cstring>

namespace {

struct Recorder {
    API_Client seenClient = nullptr;
    std::string seenText;
};
Recorder recorder;

GSErrCode RecordingWriteReport (API_Client client, const char* text, bool)
{
    recorder.seenClient = client;
    recorder.seenText = text;
    return NoError;
}

class BindingTest : public ::testing::Test {
protected:
    void TearDown () override { SetImportedFuncAddrs (nullptr, nullptr); }
};

TEST_F (BindingTest, ExportedRecordIsZeroedAndCarriesVersionAndEntryPoints)
{
    unsigned char record[60];
    std::memset (record, 0xAB, sizeof record);
    ASSERT_EQ (GetExportedFuncAddrs (reinterpret_cast<API_ExportedFuncs*> (record)), NoError);
    API_ExportedFuncs funcs;
    std::memcpy (&funcs, record, sizeof funcs);
    EXPECT_EQ (funcs.interfaceVersion, 0x000A0001u);
    // The record is packed to 4 bytes, so its pointers are compared by value: a reference to one
    // (as EXPECT_NE takes) would be misaligned.
    EXPECT_TRUE (funcs.checkEnvironment != nullptr);
    EXPECT_TRUE (funcs.registerInterface != nullptr);
    EXPECT_TRUE (funcs.initialize != nullptr);
    EXPECT_TRUE (funcs.freeData != nullptr);
    for (unsigned char byte : funcs.reserved)
        EXPECT_EQ (byte, 0);
}

TEST_F (BindingTest, BeforeTheTableArrivesEverythingAnswersNotBound)
{
    SetImportedFuncAddrs (nullptr, nullptr);
    API_ExportedFuncs funcs;
    GetExportedFuncAddrs (&funcs);
    API_EnvirParams envir{};
    EXPECT_EQ (funcs.checkEnvironment (&envir), 0);
    EXPECT_EQ (funcs.registerInterface (), static_cast<GSErrCode> (0x81060001));
    EXPECT_EQ (funcs.initialize (), static_cast<GSErrCode> (0x81060001));
    EXPECT_EQ (funcs.freeData (), static_cast<GSErrCode> (0x81060001));

    API_Element element{};
    EXPECT_EQ (ACAPI_Element_Get (&element), static_cast<GSErrCode> (0x81060001));
    EXPECT_EQ (ACAPI_Database (APIDb_GetCurrentDatabaseID), static_cast<GSErrCode> (0x81060001));
    EXPECT_FALSE (ACAPI_Element_Filter (1, 1, 2));
    char buffer[256] = "untouched";
    EXPECT_FALSE (ACAPI_Resource_GetLocStr (buffer, 151, 1));
    EXPECT_STREQ (buffer, "untouched");
}

TEST_F (BindingTest, MissingEntriesAnswerMissingFunction)
{
    API_HostTable table{};
    table.size = sizeof table;   // every entry null
    int clientToken = 0;
    SetImportedFuncAddrs (&table, &clientToken);

    API_Element element{};
    API_ModulData record{};
    EXPECT_EQ (ACAPI_Element_Get (&element), static_cast<GSErrCode> (0x81060387));
    EXPECT_EQ (ACAPI_ModulData_Get (&record), static_cast<GSErrCode> (0x81060387));
    EXPECT_EQ (ACAPI_Goodies (APIAny_OpenParametersID), static_cast<GSErrCode> (0x81060387));
    EXPECT_FALSE (ACAPI_Element_Filter (1, 1, 2));
    EXPECT_EQ (ACAPI_UseOwnResModule (), 0);
}

TEST_F (BindingTest, EntriesBeyondTheHostsTableSizeCountAsMissing)
{
    API_HostTable table{};
    table.writeReport = &RecordingWriteReport;
    table.size = offsetof (API_HostTable, writeReport);   // an older, shorter table
    SetImportedFuncAddrs (&table, nullptr);
    EXPECT_EQ (ACAPI_WriteReport ("x", false), static_cast<GSErrCode> (0x81060387));

    table.size = sizeof table;
    EXPECT_EQ (ACAPI_WriteReport ("x", false), NoError);
}

TEST_F (BindingTest, EveryCallPassesTheClientHandleFirst)
{
    API_HostTable table{};
    table.size = sizeof table;
    table.writeReport = &RecordingWriteReport;
    int clientToken = 0;
    SetImportedFuncAddrs (&table, &clientToken);
    EXPECT_EQ (ACAPI_WriteReport ("line", false), NoError);
    EXPECT_EQ (recorder.seenClient, &clientToken);
    EXPECT_EQ (recorder.seenText, "line");
}

class BoundEntryPointsTest : public TestSupport::AddonTest {};

TEST_F (BoundEntryPointsTest, CheckEnvironmentNamesTheAddonFromItsResources)
{
    API_EnvirParams envir{};
    EXPECT_EQ (client->entries.checkEnvironment (&envir), 1);
    EXPECT_EQ (std::string (envir.addOnInfo.name), TestSupport::AddonString (32000, 1));
    EXPECT_EQ (std::string (envir.addOnInfo.description), TestSupport::AddonString (32000, 2));
}

TEST_F (BoundEntryPointsTest, RegisterInterfaceRegistersOneMenu)
{
    EXPECT_EQ (client->entries.registerInterface (), NoError);
    ASSERT_EQ (client->menus.size (), 1u);
    EXPECT_EQ (client->menus[0].menuStrResID, 32500);
    EXPECT_EQ (client->menus[0].promptStrResID, 32502);
    EXPECT_EQ (client->menus[0].position, 12);
    EXPECT_EQ (client->menus[0].flags, 0);

    host.failures.Fail ("ACAPI_Register_Menu", APIERR_GENERAL);
    EXPECT_EQ (client->entries.registerInterface (), APIERR_GENERAL);
}

}   // namespace
