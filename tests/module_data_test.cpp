// The project's stored detail levels: the block's exact bytes, reading damaged or odd blocks,
// reading through the host (nothing stored, another version, failures, read once per project)
// and the merge of two projects' blocks.
#include "TestHost.h"

#include "dg/RecordingAgent.h"
#include "gs/MemoryHandle.h"
#include "host/ACAPI.h"
#include "store/ModuleData.h"
#include "store/TesseraModuleData.h"

#include <cstring>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

using Records = std::vector<std::pair<std::string, Int16>>;

const std::string D = defaultDetLevGuid;
const std::string P = "{11111111-2222-3333-4444-555555555555}-1";   // 40 characters
const std::string Q = "{AAAAAAAA-BBBB-CCCC-DDDD-EEEEEEEEEEEE}-02";

std::string Rec (const std::string& key, const std::string& value)
{
    return key + '\0' + value + '\0';
}

// A host block holding exactly `bytes` (no spare byte, so a read past it is a fault).
GSHandle BlockOf (const std::string& bytes)
{
    GSHandle block = BMAllocateHandle (bytes.size ());
    if (!bytes.empty ())
        std::memcpy (*block, bytes.data (), bytes.size ());
    return block;
}

std::string BytesOf (GSHandle block)
{
    return BMGetHandleSize (block) == 0 ? std::string () : std::string (*block, BMGetHandleSize (block));
}

Records Pairs (const detLevValuesGuidIndex& table)
{
    Records out;
    for (const auto& pair : table)
        out.emplace_back (pair.key.c_str (), pair.value);
    return out;
}

detLevValuesGuidIndex TableOf (const Records& records)
{
    detLevValuesGuidIndex table;
    for (const auto& [key, value] : records)
        table.Add (GuidStr (key.c_str ()), value);
    return table;
}

// Parses a block with the record form of ReadValues.
Records Read (const std::string& bytes)
{
    API_ModulData record{};
    record.dataVersion = 2;
    record.dataHdl = BlockOf (bytes);
    detLevValuesGuidIndex table;
    table.Add (GuidStr ("stale"), 1);
    EXPECT_EQ (ReadValues (&table, &record), NoError);
    BMKillHandle (&record.dataHdl);
    return Pairs (table);
}

std::string Write (const Records& records)
{
    detLevValuesGuidIndex table = TableOf (records);
    API_ModulData record{};
    EXPECT_EQ (WriteValues (&table, &record), NoError);
    std::string bytes = BytesOf (record.dataHdl);
    BMKillHandle (&record.dataHdl);
    return bytes;
}

TEST (BlockFormat, WorkedExampleIsEightyFourExactBytesAndReadsBack)
{
    const Records table = {{D, 3}, {P, 2}};
    const std::string bytes = Write (table);
    EXPECT_EQ (bytes.size (), 84u);
    EXPECT_EQ (bytes, D + '\0' + '3' + '\0' + P + '\0' + '2' + '\0');
    EXPECT_EQ (Read (bytes), table);
}

TEST (BlockFormat, NothingToWriteIsABlockOfLengthZero)
{
    EXPECT_EQ (Write ({}), "");
    EXPECT_EQ (Write ({{P, 5}, {Q, 5}}), "") << "level 5 (none) is never stored";
    EXPECT_EQ (Write ({{P, 5}, {Q, 0}}), Rec (Q, "0"));
    EXPECT_EQ (Read (""), Records ());
}

TEST (BlockFormat, ReadingOddAndDamagedBlocks)
{
    const std::string longKey (256, 'K');
    const std::string maxKey (255, 'K');
    struct Case {
        const char* what;
        std::string bytes;
        Records expected;
    };
    const Case cases[] = {
        {"a repeated key keeps its first value", Rec (P, "1") + Rec (P, "2"), {{P, 1}}},
        {"a first value that is no number is 3", Rec (P, "x"), {{P, 3}}},
        {"a later value that is no number is the running value", Rec (P, "1") + Rec (Q, "abc"), {{P, 1}, {Q, 1}}},
        {"an empty value text is the running value", Rec (P, "0") + Rec (Q, ""), {{P, 0}, {Q, 0}}},
        {"digits followed by text read as the digits", Rec (P, "2 levels"), {{P, 2}}},
        {"leading spaces and a plus sign read as a number", Rec (P, " +4"), {{P, 4}}},
        {"a level above 4 drops its record", Rec (P, "5") + Rec (Q, "2"), {{Q, 2}}},
        {"a negative level drops its record", Rec (P, "-1") + Rec (Q, "2"), {{Q, 2}}},
        {"a number past 16 bits drops its record", Rec (P, "99999999999") + Rec (Q, "1"), {{Q, 1}}},
        {"a dropped record leaves the running value", Rec (P, "1") + Rec ("X", "9") + Rec (Q, "?"), {{P, 1}, {Q, 1}}},
        {"a key of 255 bytes is kept", Rec (maxKey, "2"), {{maxKey, 2}}},
        {"a key over 255 bytes drops its record only", Rec (longKey, "2") + Rec (Q, "1"), {{Q, 1}}},
        {"a value over 255 bytes drops its record only",
         Rec (P, std::string (300, '0') + "1") + Rec (Q, "1"),
         {{Q, 1}}},
        {"a key cut off by the end", Rec (P, "1") + Q, {{P, 1}}},
        {"a key without its value", Rec (P, "1") + Q + '\0', {{P, 1}}},
        {"a value without its terminator", Rec (P, "1") + Q + '\0' + "2", {{P, 1}}},
        {"a block of zero bytes only", std::string (7, '\0'), {{"", 3}}},
    };
    for (const Case& c : cases)
        EXPECT_EQ (Read (c.bytes), c.expected) << c.what;
}

TEST (BlockFormat, EveryTruncationOfAValidBlockKeepsItsWholeRecords)
{
    const Records table = {{D, 2}, {P, 0}, {Q, 4}, {"{short}", 3}, {"-", 1}};
    const std::string bytes = Write (table);
    for (USize length = 0; length <= bytes.size (); ++length) {
        Records whole;
        USize end = 0;
        for (const auto& [key, value] : table) {
            end += key.size () + 1 + std::to_string (value).size () + 1;
            if (end <= length)
                whole.emplace_back (key, value);
        }
        EXPECT_EQ (Read (bytes.substr (0, length)), whole) << "cut at " << length;
    }
}

TEST (BlockFormat, RandomBlocksReadWithoutFaultAndRewriteToThemselves)
{
    std::mt19937 random (20240617);
    const char alphabet[] = {'\0', '\0', '\0', '0', '1', '2', '3', '4', '5', '9', '-', '+', ' ', 'x', '{', 'A'};
    for (int round = 0; round < 4000; ++round) {
        std::string bytes (random () % 400, '\0');
        const bool longRuns = random () % 4 == 0;   // some blocks with texts past 255 bytes
        for (char& byte : bytes)
            byte = longRuns && random () % 300 != 0 ? 'L' : alphabet[random () % sizeof alphabet];
        const Records read = Read (bytes);
        for (const auto& [key, value] : read) {
            ASSERT_LE (key.size (), 255u);
            ASSERT_TRUE (value >= 0 && value <= 4) << value;
        }
        ASSERT_EQ (Read (Write (read)), read) << "round " << round;
    }
}

// ---- Reading and writing through the host ----------------------------------------------

class StoredBlockTest : public TestSupport::AddonTest {
public:
    void SetUp () override
    {
        TestSupport::AddonTest::SetUp ();
        ModuleData::Instance ().ClearReadFlag ();
    }

    void Store (const std::string& bytes, Int32 version = 2)
    {
        host.project.moduleData[client->name] = HostSim::ModuleDataBlock{version, 0x4D4D, bytes};
    }
    const HostSim::ModuleDataBlock& Stored () { return host.project.moduleData.at (client->name); }

    // The code-form error dialogs shown so far, as (line 1, line 2).
    std::vector<std::pair<std::string, std::string>> Messages () const
    {
        std::vector<std::pair<std::string, std::string>> out;
        for (const DG::ShownDialog& dialog : agent.Shown ())
            if (dialog.resourceId == 128)
                out.emplace_back (dialog.ItemText (3), dialog.ItemText (4));
        return out;
    }

    DG::RecordingAgent agent;
    DG::ScopedUserAgent scopedAgent{agent};
};

const std::string ReadPlace = "TesseraModuleData, ReadValues ()";

TEST_F (StoredBlockTest, WritingStoresVersionSignAndExactBytesAsACopy)
{
    detLevValuesGuidIndex table = TableOf ({{D, 3}, {P, 2}});
    EXPECT_EQ (WriteValues (&table), NoError);
    EXPECT_EQ (Stored ().version, 2);
    EXPECT_EQ (Stored ().platformSign, 0x4D4D);
    EXPECT_EQ (Stored ().bytes, Write ({{D, 3}, {P, 2}}));

    GSHandle mine = nullptr;
    ASSERT_EQ (DataHandle_Read (&mine), NoError);
    ASSERT_NE (mine, nullptr);
    (*mine)[0] = '#';
    EXPECT_EQ (Stored ().bytes[0], D[0]) << "the block handed out is the caller's own copy";
    BMKillHandle (&mine);

    host.failures.Fail ("ACAPI_ModulData_Store", APIERR_GENERAL);
    table.Put (GuidStr (P.c_str ()), 0);
    EXPECT_EQ (WriteValues (&table), APIERR_GENERAL);
    EXPECT_EQ (Stored ().bytes, Write ({{D, 3}, {P, 2}})) << "a failed store keeps what was stored";
}

TEST_F (StoredBlockTest, DefaultRecordMovesOutOfTheTable)
{
    struct Case {
        const char* what;
        std::string bytes;
        Int16 defaultLevel;
    };
    const Case cases[] = {
        {"stored default 2", Rec (P, "1") + Rec (D, "2"), 2},
        {"stored default 0 first", Rec (D, "0") + Rec (P, "1"), 0},
        {"no default record", Rec (P, "1"), 3},
        {"default 4 is outside 0 to 3", Rec (P, "1") + Rec (D, "4"), 3},
        {"default -2 is dropped", Rec (P, "1") + Rec (D, "-2"), 3},
        {"default no number takes the running value", Rec (P, "1") + Rec (D, "?"), 1},
    };
    for (const Case& c : cases) {
        Store (c.bytes);
        ModuleData::Instance ().ClearReadFlag ();
        EXPECT_EQ (ModuleData::Instance ().GetDefaultDetLevValueFromFile (), c.defaultLevel) << c.what;
        EXPECT_EQ (Pairs (ModuleData::Instance ().GetDetLevValuesGuidIndexFromFile ()), (Records{{P, 1}})) << c.what;
    }
}

TEST_F (StoredBlockTest, NothingStoredIsAnEmptyTableAndDefaultThreeWithoutMessage)
{
    Store (Rec (P, "1") + Rec (D, "1"));
    ModuleData& stored = ModuleData::Instance ();
    EXPECT_EQ (stored.GetDefaultDetLevValueFromFile (), 1);
    host.project.moduleData.clear ();
    stored.ClearReadFlag ();
    EXPECT_TRUE (stored.GetDetLevValuesGuidIndexFromFile ().IsEmpty ());
    EXPECT_EQ (stored.GetDefaultDetLevValueFromFile (), 3);
    EXPECT_EQ (stored.LastReadError (), NoError);
    EXPECT_EQ (host.failures.Calls ("ACAPI_ModulData_Get"), 1) << "no fetch when the info call finds nothing";
    EXPECT_TRUE (agent.Shown ().empty ());
}

TEST_F (StoredBlockTest, ReadsOnceUntilTheReadFlagIsCleared)
{
    ModuleData& stored = ModuleData::Instance ();
    Store (Rec (P, "1"));
    EXPECT_EQ (Pairs (stored.GetDetLevValuesGuidIndexFromFile ()), (Records{{P, 1}}));
    Store (Rec (P, "2"));
    stored.GetDefaultDetLevValueFromFile ();
    EXPECT_EQ (Pairs (stored.GetDetLevValuesGuidIndexFromFile ()), (Records{{P, 1}}));
    EXPECT_EQ (host.failures.Calls ("ACAPI_ModulData_GetInfo"), 1);
    stored.ClearReadFlag ();
    EXPECT_EQ (Pairs (stored.GetDetLevValuesGuidIndexFromFile ()), (Records{{P, 2}}));
    EXPECT_EQ (host.failures.Calls ("ACAPI_ModulData_GetInfo"), 2);
}

TEST_F (StoredBlockTest, AFailedReadIsNotRetriedUntilTheReadFlagIsCleared)
{
    ModuleData& stored = ModuleData::Instance ();
    Store (Rec (P, "1") + Rec (D, "0"));
    host.failures.Fail ("ACAPI_ModulData_Get", APIERR_GENERAL, 1, 1);
    EXPECT_TRUE (stored.GetDetLevValuesGuidIndexFromFile ().IsEmpty ());
    EXPECT_EQ (stored.GetDefaultDetLevValueFromFile (), 3);
    EXPECT_EQ (stored.LastReadError (), APIERR_GENERAL);
    EXPECT_EQ (host.failures.Calls ("ACAPI_ModulData_Get"), 1) << "not retried";
    EXPECT_EQ (Messages ().size (), 1u) << "shown once";
    stored.ClearReadFlag ();
    EXPECT_EQ (Pairs (stored.GetDetLevValuesGuidIndexFromFile ()), (Records{{P, 1}}));
    EXPECT_EQ (stored.GetDefaultDetLevValueFromFile (), 0);
    EXPECT_EQ (stored.LastReadError (), NoError);
}

TEST_F (StoredBlockTest, AnotherVersionIsRefusedWithTheCodeDialog)
{
    Store (Rec (P, "1"), 3);
    detLevValuesGuidIndex table = TableOf ({{Q, 2}});
    EXPECT_EQ (ReadValues (&table), APIERR_BADDATAVERSION);
    EXPECT_TRUE (table.IsEmpty ());
    EXPECT_EQ (Messages (), (std::vector<std::pair<std::string, std::string>>{{"-2130312810", ReadPlace}}));
}

TEST_F (StoredBlockTest, HostFailuresAreShownExceptNothingStored)
{
    Store (Rec (P, "1"));
    struct Case {
        const char* operation;
        GSErrCode code;
        bool shown;
    };
    const Case cases[] = {
        {"ACAPI_ModulData_GetInfo", APIERR_GENERAL, true},
        {"ACAPI_ModulData_Get", APIERR_BADPARS, true},
        {"ACAPI_ModulData_Get", APIERR_NOMODULEDATA, false},
    };
    for (const Case& c : cases) {
        host.failures.Clear ();
        host.failures.Fail (c.operation, c.code);
        detLevValuesGuidIndex table = TableOf ({{Q, 2}});
        EXPECT_EQ (ReadValues (&table), c.code) << c.operation;
        EXPECT_TRUE (table.IsEmpty ()) << c.operation;
        EXPECT_EQ (Messages ().size (), c.shown ? 1u : 0u) << c.operation;
        if (c.shown && !Messages ().empty ()) {
            EXPECT_EQ (Messages ()[0], std::make_pair (std::to_string (c.code), ReadPlace)) << c.operation;
        }
        agent.Clear ();
    }
}

// ---- Merge ------------------------------------------------------------------------------

class MergeTest : public StoredBlockTest {
public:
    void SetUp () override
    {
        StoredBlockTest::SetUp ();
        ASSERT_EQ (ACAPI_Install_ModulDataMergeHandler (&MergeHandlerProc), NoError);
    }
    HostSim::ModuleDataBlock Block (const Records& records) { return {2, 0x4D4D, Write (records)}; }
};

TEST_F (MergeTest, FirstRecordWinsAndTheSecondAddsWhatIsMissing)
{
    HostSim::ModuleDataBlock merged;
    ASSERT_EQ (host.CallMergeHandler (*client, 13, Block ({{P, 1}, {D, 2}}), Block ({{P, 0}, {Q, 4}, {D, 3}}), &merged),
               NoError);
    EXPECT_EQ (Read (merged.bytes), (Records{{P, 1}, {D, 2}, {Q, 4}}));

    ASSERT_EQ (host.CallMergeHandler (*client, 13, Block ({{P, 1}}), Block ({{D, 0}}), &merged), NoError);
    EXPECT_EQ (Read (merged.bytes), (Records{{P, 1}, {D, 0}})) << "the second's default when the first has none";

    const HostSim::ModuleDataBlock damaged{2, 0x4D4D, Rec (Q, "9") + Rec (P, "2") + D};
    ASSERT_EQ (host.CallMergeHandler (*client, 13, Block ({}), damaged, &merged), NoError);
    EXPECT_EQ (Read (merged.bytes), (Records{{P, 2}})) << "a damaged source gives its readable records";
}

TEST_F (MergeTest, AnyOtherCommandChangesNothing)
{
    const HostSim::ModuleDataBlock before = Block ({{Q, 1}});
    for (API_MDSetCmd command : {0, 1, 12, 14, -13}) {
        HostSim::ModuleDataBlock merged = before;
        EXPECT_EQ (host.CallMergeHandler (*client, command, Block ({{P, 1}}), Block ({{D, 2}}), &merged), NoError);
        EXPECT_EQ (merged.bytes, before.bytes) << command;
    }
    API_ModulData destination{};
    char* sentinel = nullptr;
    destination.dataHdl = &sentinel;
    API_ModulData source{};
    EXPECT_EQ (MergeHandlerProc (12, &source, &source, &destination), NoError);
    EXPECT_EQ (destination.dataHdl, &sentinel);
}

}   // namespace
