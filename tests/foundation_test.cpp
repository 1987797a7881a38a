// Foundation stand-ins: hash table order and uniqueness, memory blocks, GUID text, file names,
// the stopwatch on a test clock, and resource files with bad input.
#include "gs/Array.h"
#include "gs/Guid.h"
#include "gs/HashTable.h"
#include "gs/IOLocation.h"
#include "gs/MemoryHandle.h"
#include "gs/Stopwatch.h"
#include "rsrc/ResourceFile.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST (HashTable, SecondAddOfAKeyChangesNothingAndEnumerationFollowsInsertion)
{
    GS::HashTable<GS::String, Int16> table;
    EXPECT_TRUE (table.Add ("b", 1));
    EXPECT_TRUE (table.Add ("a", 2));
    EXPECT_TRUE (table.Add ("c", 3));
    EXPECT_FALSE (table.Add ("a", 9));
    EXPECT_EQ (table.Get ("a"), 2);

    EXPECT_TRUE (table.Delete ("b"));
    EXPECT_FALSE (table.Delete ("b"));
    table.Put ("d", 4);
    table.Put ("a", 5);
    std::string order;
    for (const auto& pair : table)
        order += pair.key.ToStd () + std::to_string (pair.value);
    EXPECT_EQ (order, "a5c3d4");
    EXPECT_EQ (table.GetPtr ("zz"), nullptr);
    EXPECT_EQ (*table.GetPtr ("c"), 3) << "lookups still work after a delete moved the pairs";
}

TEST (HashTable, LargeTablesKeepEveryKeyThroughGrowthAndDeletes)
{
    // Keys that share their low bits, and the growth of the index past many sizes.
    GS::HashTable<Int32, Int32> table;
    for (Int32 k = 0; k < 5000; ++k)
        ASSERT_TRUE (table.Add (k * 4096, k));
    for (Int32 k = 0; k < 5000; k += 3)
        ASSERT_TRUE (table.Delete (k * 4096));
    for (Int32 k = 0; k < 5000; ++k) {
        const Int32* value = table.GetPtr (k * 4096);
        if (k % 3 == 0)
            EXPECT_EQ (value, nullptr) << k;
        else
            ASSERT_TRUE (value != nullptr && *value == k) << k;
    }
    EXPECT_EQ (table.GetPtr (1), nullptr);
    Int32 previous = -1;
    for (const auto& pair : table) {
        EXPECT_GT (pair.value, previous) << "insertion order kept";
        previous = pair.value;
    }
    table.Clear ();
    EXPECT_TRUE (table.IsEmpty ());
    EXPECT_EQ (table.GetPtr (4096), nullptr);
    EXPECT_TRUE (table.Add (4096, 7));
    EXPECT_EQ (table.Get (4096), 7);
}

TEST (MemoryHandle, BlocksAreZeroedResizedInPlaceAndReleasedToNull)
{
    GSHandle h = BMAllocateHandle (4);
    ASSERT_NE (h, nullptr);
    EXPECT_EQ (BMGetHandleSize (h), 4u);
    EXPECT_EQ (std::memcmp (*h, "\0\0\0\0", 4), 0);
    std::memcpy (*h, "abcd", 4);
    ASSERT_EQ (BMReallocHandle (h, 4096), NoError);
    EXPECT_EQ (BMGetHandleSize (h), 4096u);
    EXPECT_EQ (std::memcmp (*h, "abcd", 4), 0);
    EXPECT_EQ ((*h)[4095], 0);
    BMKillHandle (&h);
    EXPECT_EQ (h, nullptr);
    BMKillHandle (&h);   // harmless
    EXPECT_EQ (BMGetHandleSize (nullptr), 0u);
    EXPECT_EQ (BMReallocHandle (nullptr, 1), ErrNullHandle);
}

TEST (Guid, TextRoundTripAndRejects)
{
    GS::Guid g ("{9349160F-1FF1-4be3-9909-314107CCB286}");
    EXPECT_FALSE (g.IsNull ());
    EXPECT_EQ (g.ToUniString ().ToStd (), "{9349160F-1FF1-4BE3-9909-314107CCB286}");
    GS::Guid same ("9349160f-1ff1-4BE3-9909-314107ccb286");
    EXPECT_EQ (g, same);
    GS::Guid bad;
    EXPECT_FALSE (bad.ConvertFromString ("{9349160F-1FF1-4be3-9909-314107CCB28G}"));
    EXPECT_FALSE (bad.ConvertFromString ("short"));
    EXPECT_TRUE (bad.IsNull ());
}

TEST (IOName, ExtensionsAreTestedReadDeletedAndAppended)
{
    IO::Location location (GS::String ("/opt/addons/Tessera.APX"));
    IO::Name name;
    ASSERT_EQ (location.GetLastLocalName (&name), NoError);
    EXPECT_TRUE (name.HasExtension ());
    EXPECT_EQ (name.GetExtension ().ToStd (), "APX");
    name.DeleteExtension ();
    name.AppendExtension ("txt");
    location.SetLastLocalName (name);
    EXPECT_EQ (location.ToPath ().ToStd (), "/opt/addons/Tessera.txt");

    EXPECT_FALSE (IO::Name (GS::String ("Tessera")).HasExtension ());
    EXPECT_FALSE (IO::Name (GS::String (".hidden")).HasExtension ());
    EXPECT_NE (IO::Location (GS::String ("/dir/")).GetLastLocalName (&name), NoError);
}

double testNow = 0.0;
double TestClock () { return testNow; }

TEST (Stopwatch, MeasuresOnTheClockSourceGiven)
{
    GS::SetClockSource (&TestClock);
    testNow = 100.0;
    GS::Stopwatch watch;
    watch.Reset ();
    watch.Start ();
    testNow = 100.25;
    EXPECT_DOUBLE_EQ (watch.GetElapsedTime (), 0.25);
    watch.Stop ();
    testNow = 200.0;
    EXPECT_DOUBLE_EQ (watch.GetElapsedTime (), 0.25);
    watch.Reset ();
    EXPECT_DOUBLE_EQ (watch.GetElapsedTime (), 0.0);
    GS::SetClockSource (nullptr);
}

TEST (ResourceFile, BadInputNamesTheFileThePlaceAndWhatWasExpected)
{
    struct Case {
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {"{", "res.json: $: expected JSON"},
        {R"({"strings": {"x1": ["a"]}})", "res.json: $.strings.x1: expected a resource number"},
        {R"({"strings": {"151": ["a", 3]}})", "res.json: $.strings.151[1]: expected a text"},
        {R"({"dialogs": {"128": {"width": 1, "height": 1}}})", "res.json: $.dialogs.128: expected a member \"items\""},
        {R"({"dialogs": {"128": {"width": 1, "height": 1, "items": [{"kind": "button", "rect": [1, 2]}]}}})",
         "res.json: $.dialogs.128.items[0].rect: expected a rectangle"},
        {R"({"icons": {"32600": {}}})", "res.json: $.icons.32600: expected a member \"glyph\""},
    };
    for (const Case& c : cases) {
        RSRC::ResourceFile file;
        std::string error;
        EXPECT_FALSE (file.LoadText (c.text, "res.json", &error)) << c.text;
        EXPECT_EQ (error.rfind (c.message, 0), 0u) << error;
        EXPECT_EQ (file.GetString (151, 1), nullptr);
    }
}

TEST (ResourceFile, StringsCountFromOne)
{
    RSRC::ResourceFile file;
    ASSERT_TRUE (file.LoadText (R"({"strings": {"130": ["first", "second"]}})", "r", nullptr));
    EXPECT_EQ (*file.GetString (130, 1), "first");
    EXPECT_EQ (*file.GetString (130, 2), "second");
    EXPECT_EQ (file.GetString (130, 0), nullptr);
    EXPECT_EQ (file.GetString (130, 3), nullptr);
    EXPECT_EQ (file.GetString (131, 1), nullptr);
}

}   // namespace
