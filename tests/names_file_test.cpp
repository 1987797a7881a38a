// The detail-parameter names file: where it is looked for, how its lines become entries, which
// messages its faults raise, and that the reader stops at the text's end or a zero byte.
// Each test writes the file into a fresh folder and binds the add-on as if it lived there.
#include "TestHost.h"

#include "dg/RecordingAgent.h"
#include "store/DetParNames.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace {

using TestSupport::AddonString;
using Entries = std::vector<std::pair<std::string, std::vector<std::string>>>;
using Values = std::vector<std::string>;

constexpr Int16 ErrorDialog = 128;
constexpr Int32 TooFewValues = 130;
constexpr Int32 NoNamesFile = 131;

class NamesFileTest : public TestSupport::AddonTest {
public:
    void SetUp () override
    {
        AddonTest::SetUp ();
        char pattern[] = "/tmp/tessera-names-XXXXXX";
        ASSERT_NE (mkdtemp (pattern), nullptr);
        folder = pattern;
        client->modulePath = folder + "/Tessera.apx";
    }
    void TearDown () override
    {
        std::filesystem::remove_all (folder);
        detParNames.clear ();
        AddonTest::TearDown ();
    }

    void Write (const std::string& bytes, const std::string& fileName = "Tessera.txt")
    {
        std::ofstream out (folder + "/" + fileName, std::ios::binary | std::ios::trunc);
        out.write (bytes.data (), static_cast<std::streamsize> (bytes.size ()));
    }

    // Reads the file with a user agent that watches the dialogs; answers the message numbers shown.
    std::vector<Int32> Populate ()
    {
        DG::RecordingAgent agent;
        DG::ScopedUserAgent scope (agent);
        PopulateDetParams ();
        std::vector<Int32> messages;
        for (const DG::ShownDialog& shown : agent.Shown ()) {
            EXPECT_EQ (shown.resourceId, ErrorDialog);
            EXPECT_FALSE (shown.ItemVisible (5)) << "names-file messages never offer the check box";
            Int32 id = -1;
            for (Int32 candidate : {TooFewValues, NoNamesFile})
                if (shown.ItemText (3) == AddonString (candidate, 1) &&
                    shown.ItemText (4) == AddonString (candidate, 2))
                    id = candidate;
            messages.push_back (id);
        }
        return messages;
    }

    static Entries Table ()
    {
        Entries entries;
        for (const auto& [key, values] : detParNames) {
            Values texts;
            for (const GS::String& value : values)
                texts.push_back (value.ToStd ());
            entries.emplace_back (key.ToStd (), texts);
        }
        return entries;
    }

    std::string folder;
};

std::string Bytes (const char* text, size_t length)
{
    return std::string (text, length);
}

TEST_F (NamesFileTest, LinesBecomeEntries)
{
    struct Case {
        const char* what;
        std::string file;
        Entries entries;
        std::vector<Int32> messages;
    };
    const std::string longValue (5000, 'v');
    const Case cases[] = {
        {"worked example",
         "# detail parameters\n"
         "LevelOfDetail \"High\" \"Medium\" \"Low\"\n"
         "Detail3D \"Full\" \"Box\"\n"
         "Detail3D\t\"Voll\", \"Mittel\", \"Kasten\"\n"
         "Symbol \"On\"\n",
         {{"Detail3D", {"Full", "", "Box"}},
          {"Detail3D", {"Voll", "Mittel", "Kasten"}},
          {"LevelOfDetail", {"High", "Medium", "Low"}},
          {"Symbol", {"On"}}},
         {TooFewValues}},
        {"Windows line ends",
         "A \"1\" \"2\" \"3\"\r\nB \"x\" \"y\"\r\n",
         {{"A", {"1", "2", "3"}}, {"B", {"x", "", "y"}}},
         {}},
        {"carriage returns only make one line", "A \"1\" \"2\"\rB \"3\" \"4\"\r", {{"A", {"1", "2", "3", "4"}}}, {}},
        {"carriage returns only behind a number sign: all comment", "# x\rA \"1\" \"2\" \"3\"\r", {}, {}},
        {"four values stay four", "K \"one\" \"two\" \"three\" \"four\"", {{"K", {"one", "two", "three", "four"}}}, {}},
        {"two values become three", "K \"one\" \"two\"", {{"K", {"one", "", "two"}}}, {}},
        {"unclosed quote runs to the line's end",
         "K \"open\nL \"a\" \"b\" \"c\"\n",
         {{"K", {"open"}}, {"L", {"a", "b", "c"}}},
         {TooFewValues}},
        {"unclosed second quote is the second value", "K \"a\" \"b c\n", {{"K", {"a", "", "b c"}}}, {}},
        {"text but no quotes: kept empty, one message per line",
         "K no values\nL 'single'\n",
         {{"K", {}}, {"L", {}}},
         {TooFewValues, TooFewValues}},
        {"equal keys keep file order",
         "Z \"1\" \"2\" \"3\"\nK \"b\" \"b\" \"b\"\nK \"a\" \"a\" \"a\"\n",
         {{"K", {"b", "b", "b"}}, {"K", {"a", "a", "a"}}, {"Z", {"1", "2", "3"}}},
         {}},
        {"keys in byte order, high bytes first",
         "a \"1\" \"2\" \"3\"\nB \"1\" \"2\" \"3\"\n\xE9t \"1\" \"2\" \"3\"\n",
         {{"\xE9t", {"1", "2", "3"}}, {"B", {"1", "2", "3"}}, {"a", {"1", "2", "3"}}},
         {}},
        {"comments", "#K \"a\" \"b\" \"c\"\n  # K \"a\"\n\t#\n", {}, {}},
        {"leading separators, doubled separators, text outside quotes",
         " \t K  x\"a\"y , \"b\";\"c\" z\n",
         {{"K", {"a", "b", "c"}}},
         {}},
        {"empty quotes give empty values", "K \"\" \"x\" \"\"\n", {{"K", {"", "x", ""}}}, {}},
        {"a zero byte ends the text",
         Bytes ("A \"1\" \"2\" \"3\"\n\0B \"4\" \"5\" \"6\"\n", 30),
         {{"A", {"1", "2", "3"}}},
         {}},
        {"a zero byte inside an open quote ends it with the text",
         Bytes ("A \"1\" \"2\0\" \"3\"\n", 16),
         {{"A", {"1", "", "2"}}},
         {}},
        {"no key before: spaces-only line and leading line feed give nothing",
         "   \t \n\nA \"1\" \"2\" \"3\"",
         {{"A", {"1", "2", "3"}}},
         {}},
        {"key with nothing after it, or one separator", "AB\nA \nB\t\n", {}, {}},
        {"key with more separators after it has too few values", "C  \t\n", {{"C", {}}}, {TooFewValues}},
        {"spaces-only line after a key", "A \"1\" \"2\" \"3\"\n    \n\t\t\n", {{"A", {"1", "2", "3"}}}, {}},
        {"short lines are skipped", "A\n\"\n \nB \"1\" \"2\" \"3\"\n", {{"B", {"1", "2", "3"}}}, {}},
        {"empty file", "", {}, {}},
        {"no limit on lengths", "K \"" + longValue + "\" \"x\" \"y\"", {{"K", {longValue, "x", "y"}}}, {}},
    };
    for (const Case& c : cases) {
        Write (c.file);
        EXPECT_EQ (Populate (), c.messages) << c.what;
        EXPECT_EQ (Table (), c.entries) << c.what;
    }
}

TEST_F (NamesFileTest, MissingFileShowsOneThirtyOneAndEmptiesTheTable)
{
    Write ("K \"a\" \"b\" \"c\"\n");
    EXPECT_TRUE (Populate ().empty ());
    ASSERT_EQ (detParNames.size (), 1u);

    std::filesystem::remove (folder + "/Tessera.txt");
    EXPECT_EQ (Populate (), std::vector<Int32> ({NoNamesFile}));
    EXPECT_TRUE (detParNames.empty ());

    std::filesystem::create_directory (folder + "/Tessera.txt");
    EXPECT_EQ (Populate (), std::vector<Int32> ({NoNamesFile})) << "a folder in its place cannot be read";
    EXPECT_TRUE (detParNames.empty ());
}

TEST_F (NamesFileTest, TheFileIsNamedAfterTheAddonWithApxInAnyCaseOrNoExtension)
{
    struct Case {
        const char* module;      // the add-on's file name
        const char* namesFile;   // the file it reads; null: none, silently
    };
    const Case cases[] = {
        {"Tessera.apx", "Tessera.txt"}, {"Tessera.APX", "Tessera.txt"},     {"Tessera.aPx", "Tessera.txt"},
        {"Tessera", "Tessera.txt"},     {"My.Add-on.apx", "My.Add-on.txt"}, {"Tessera.dll", nullptr},
        {"Tessera.apx.bak", nullptr},   {"Tessera.apxx", nullptr},
    };
    for (const Case& c : cases) {
        std::filesystem::remove_all (folder);
        std::filesystem::create_directory (folder);
        Write ("Right \"1\" \"2\" \"3\"\n", c.namesFile != nullptr ? c.namesFile : "Tessera.txt");
        Write ("Wrong \"1\" \"2\" \"3\"\n", "Tessera.apx.txt");
        client->modulePath = folder + "/" + c.module;
        EXPECT_TRUE (Populate ().empty ()) << c.module;
        if (c.namesFile != nullptr)
            EXPECT_EQ (Table (), Entries ({{"Right", {"1", "2", "3"}}})) << c.module;
        else
            EXPECT_TRUE (detParNames.empty ()) << c.module;
    }
}

TEST_F (NamesFileTest, NoOwnLocationReadsNothingSilently)
{
    Write ("K \"a\" \"b\" \"c\"\n");
    PopulateDetParams ();
    ASSERT_FALSE (detParNames.empty ());

    host.failures.Fail ("ACAPI_GetOwnLocation", APIERR_GENERAL);
    EXPECT_TRUE (Populate ().empty ());
    EXPECT_TRUE (detParNames.empty ()) << "the previous table is emptied all the same";

    host.failures.Clear ();
    client->modulePath = folder + "/";
    EXPECT_TRUE (Populate ().empty ()) << "a location without a last name part";
    EXPECT_TRUE (detParNames.empty ());
}

TEST_F (NamesFileTest, TheShippedNamesFileReadsWithoutMessages)
{
    std::filesystem::copy_file (TestSupport::SourceDir () + "/resources/Tessera.txt", folder + "/Tessera.txt");
    EXPECT_TRUE (Populate ().empty ());
    ASSERT_FALSE (detParNames.empty ());
    for (const auto& [key, values] : detParNames)
        EXPECT_GE (values.GetSize (), 3u) << key.ToStd () << ": every entry names levels 0 to 2";
}

TEST (NamesFileText, FindFirstAndGetSubstringStayWithinTheText)
{
    GS::String text ("abcabc");
    EXPECT_EQ (FindFirst (text, 0, 'c'), 2u);
    EXPECT_EQ (FindFirst (text, 3, 'c'), 5u);
    EXPECT_EQ (FindFirst (text, 0, 'x'), 6u);
    EXPECT_EQ (FindFirst (text, 6, 'a'), 6u);
    EXPECT_EQ (FindFirst (text, 0xFFFFFFFFu, 'a'), 6u);

    EXPECT_EQ (GetSubstring (text, 1, 3), GS::String ("bc"));
    EXPECT_EQ (GetSubstring (text, 4, 100), GS::String ("bc"));
    EXPECT_EQ (GetSubstring (text, 100, 200), GS::String ());
    EXPECT_EQ (GetSubstring (text, 3, 1), GS::String ());
    EXPECT_EQ (GetSubstring (text, 2, 2), GS::String ());
}

}   // namespace
