// The census record's rows: what the two row constructors give, and the ranking order that the
// ranked lists use (polygons descending, GUID text descending, equal rows one entry).
#include "census/RefreshData.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

namespace {

LibRow Row (const char* name, Int64 polygons, const char* guid)
{
    return LibRow (name, 1, polygons, 5, GuidStr (guid), FFFTT (false, false, false, true, true), 3);
}

std::vector<std::string> Ranked (const std::vector<LibRow>& rows)
{
    std::set<LibRow, std::greater<LibRow>> ranked (rows.begin (), rows.end ());
    std::vector<std::string> names;
    for (const LibRow& row : ranked)
        names.push_back (row.name.ToStd ());
    return names;
}

TEST (LibRowTest, DefaultRowIsAnEmptyRowAtTheProjectDefaultLevel)
{
    const LibRow row;
    EXPECT_TRUE (row.name.IsEmpty ());
    EXPECT_EQ (row.count, 0);
    EXPECT_EQ (row.polygons, 0);
    EXPECT_EQ (row.detLev, 4);
    EXPECT_EQ (row.guid.Length (), 0u);
    EXPECT_EQ (row.avail, FFFTT (false, false, false, true, true));
    EXPECT_EQ (row.flags, 0u);
}

TEST (LibRowTest, FullConstructorCopiesEveryArgument)
{
    const LibRow census ("Chair 01", 0, 0, 5, GuidStr ("{AB-01}"), FFFTT (false, false, false, true, true), 3);
    EXPECT_EQ (census.name.ToStd (), "Chair 01");
    EXPECT_EQ (census.detLev, 5);
    EXPECT_EQ (census.flags, LibRowAllHotlinked | LibRowNoneInWorkspace);
    EXPECT_STREQ (census.guid.c_str (), "{AB-01}");

    const LibRow row ("Table", 7, 5000000000LL, 1, GuidStr ("{X}"), FFFTT (true, false, true, true, true), 2);
    EXPECT_EQ (row.count, 7);
    EXPECT_EQ (row.polygons, 5000000000LL) << "polygon sums are 64-bit";
    EXPECT_EQ (row.detLev, 1);
    EXPECT_EQ (row.avail, FFFTT (true, false, true, true, true));
    EXPECT_EQ (row.flags, 2u);
}

TEST (RankingTest, PolygonsDescendingThenGuidTextDescending)
{
    struct Case {
        const char* what;
        std::vector<LibRow> rows;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"polygons decide first",
         {Row ("few", 10, "{Z}"), Row ("many", 3000000000LL, "{A}"), Row ("some", 500, "{M}")},
         {"many", "some", "few"}},
        {"equal polygons: greater GUID text first",
         {Row ("b", 100, "{B}"), Row ("c", 100, "{C}"), Row ("a", 100, "{A}")},
         {"c", "b", "a"}},
        {"GUID text is case sensitive: lower case is greater",
         {Row ("upper", 100, "{ab-CD}"), Row ("lower", 100, "{ab-cd}")},
         {"lower", "upper"}},
        {"a longer GUID with the same start is greater",
         {Row ("short", 100, "{AB}"), Row ("long", 100, "{AB}0")},
         {"long", "short"}},
        {"bytes above 0x7F are smaller than plain ones",
         {Row ("high", 100, "{\xC3\xA9}"), Row ("plain", 100, "{e}")},
         {"plain", "high"}},
        {"equal polygons and GUID: one entry, the first inserted stays",
         {Row ("first", 100, "{SAME}"), Row ("second", 100, "{SAME}"), Row ("other", 50, "{SAME}")},
         {"first", "other"}},
        {"negative and zero polygons still order", {Row ("zero", 0, "{A}"), Row ("neg", -1, "{A}")}, {"zero", "neg"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ (Ranked (c.rows), c.expected) << c.what;
}

TEST (RankingTest, GreaterIsAStrictOrder)
{
    const LibRow a = Row ("a", 100, "{A}");
    const LibRow b = Row ("b", 100, "{B}");
    const LibRow same = Row ("other name", 100, "{A}");
    EXPECT_TRUE (b > a);
    EXPECT_FALSE (a > b);
    EXPECT_FALSE (a > same);
    EXPECT_FALSE (same > a);
    EXPECT_FALSE (a > a);
}

TEST (RefreshDataTest, NewCensusIsEmptyAndNoCensusIsCurrentAtFirst)
{
    EXPECT_EQ (RefreshData::current, nullptr);
    RefreshData census;
    EXPECT_TRUE (census.gsmT.IsEmpty ());
    EXPECT_TRUE (census.sortedGsms.IsEmpty ());
    EXPECT_EQ (census.totalPolygons, 0);
    for (Int32 t = 0; t < CensusTypeCount; ++t) {
        EXPECT_EQ (census.elemsPerType[t], 0) << t;
        EXPECT_EQ (census.polysPerType[t], 0) << t;
    }
}

}   // namespace
